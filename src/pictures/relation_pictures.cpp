#include <QAreaSeries>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "pictures/data_picture.h"
#include "pictures/plot_kit.h"
#include "stats/picture_figures.h"

namespace sumvane {
namespace {

QString Figure(double value) { return QString::number(value, 'g', 4); }

// The confidence band of the line filled pale, the prediction band of one Y
// as two dashed lines; the first of the two is named in the legend.
struct Bands {
  QAreaSeries* line = nullptr;
  QLineSeries* oneLower = nullptr;
  QLineSeries* oneUpper = nullptr;
  double low = 0, high = 0;
};

Bands MakeBands(const std::vector<BandPoint>& points) {
  Bands bands;
  auto* upper = new QLineSeries;
  auto* lower = new QLineSeries;
  bands.oneLower = new QLineSeries;
  bands.oneUpper = new QLineSeries;
  bands.low = points.front().oneLower;
  bands.high = points.front().oneUpper;
  for (const BandPoint& p : points) {
    upper->append(p.x, p.meanUpper);
    lower->append(p.x, p.meanLower);
    bands.oneLower->append(p.x, p.oneLower);
    bands.oneUpper->append(p.x, p.oneUpper);
    bands.low = std::min(bands.low, p.oneLower);
    bands.high = std::max(bands.high, p.oneUpper);
  }
  bands.line = new QAreaSeries(upper, lower);
  // The area does not own its edges; the chart that owns the area then does.
  upper->setParent(bands.line);
  lower->setParent(bands.line);
  bands.line->setObjectName(QStringLiteral("confidence_band"));
  bands.line->setName(QStringLiteral("直线的95%可信带"));
  plot::FillLight(*bands.line);
  bands.line->setColor(QColor(0xD6, 0xE4, 0xF5));
  const QPen dashed(plot::kSecond, 1.5, Qt::DashLine);
  bands.oneLower->setObjectName(QStringLiteral("prediction_band"));
  bands.oneLower->setName(QStringLiteral("个体Y的95%预测带"));
  bands.oneUpper->setObjectName(QStringLiteral("prediction_band"));
  bands.oneLower->setPen(dashed);
  bands.oneUpper->setPen(dashed);
  return bands;
}

}  // namespace

Picture ScatterPicture(const DataFacts& facts) {
  const std::vector<double>&xs = facts.x, &ys = facts.y;
  const std::size_t n = xs.size();
  if (n != ys.size() || n < 2)
    return NoPicture(QStringLiteral("（两组例数相等且至少有2对时才画出散点图。）"));
  const PictureLine line = LeastSquaresLine(xs, ys);
  if (line.fault == PictureLine::Fault::kNotFinite)
    return NoPicture(QStringLiteral("（数据无法算出，不画散点图。）"));
  if (line.fault == PictureLine::Fault::kNoSpread)
    return NoPicture(QStringLiteral("（X的数值全部相同，画不出回归直线。）"));
  const double slope = line.slope, intercept = line.intercept;

  const std::size_t step = (n + kMostScatterPoints - 1) / kMostScatterPoints;
  auto* points = new QScatterSeries;
  points->setObjectName(QStringLiteral("points"));
  points->setName(QStringLiteral("观察值"));
  const double size = step > 1 ? 4 : 7;
  points->setMarkerSize(size);
  points->setColor(plot::kLight);
  points->setBorderColor(plot::kFirst);
  QList<QPointF> shown;
  shown.reserve(static_cast<qsizetype>(n / step + 1));
  for (std::size_t i = 0; i < n; i += step) shown.append(QPointF(xs[i], ys[i]));

  const auto [x0, x1] = std::minmax_element(xs.begin(), xs.end());
  const auto [y0, y1] = std::minmax_element(ys.begin(), ys.end());
  auto* fit = new QLineSeries;
  fit->setObjectName(QStringLiteral("fit"));
  fit->append(*x0, intercept + slope * *x0);
  fit->append(*x1, intercept + slope * *x1);
  fit->setPen(QPen(plot::kDark, 2));
  fit->setName(QStringLiteral("回归直线"));

  auto chart = std::make_unique<QChart>();
  StyleChart(*chart);
  const QString equation =
      facts.equation.empty()
          ? QStringLiteral("Ŷ=%1%2%3X").arg(Figure(intercept), slope < 0 ? "" : "+", Figure(slope))
          : QString::fromStdString(facts.equation);
  chart->setTitle(QStringLiteral("散点图与回归直线  %1").arg(equation));
  auto* axisX = new QValueAxis;
  auto* axisY = new QValueAxis;
  const double padX = (*x1 - *x0) * 0.05, padY = std::max((*y1 - *y0) * 0.05, 1e-9);
  axisX->setRange(*x0 - padX, *x1 + padX);
  double low = std::min({*y0, fit->at(0).y(), fit->at(1).y()});
  double high = std::max({*y1, fit->at(0).y(), fit->at(1).y()});
  Bands bands;
  if (!facts.bands.empty()) {
    bands = MakeBands(facts.bands);
    low = std::min(low, bands.low);
    high = std::max(high, bands.high);
  }
  axisY->setRange(low - padY, high + padY);
  axisX->applyNiceNumbers();
  axisY->applyNiceNumbers();
  axisX->setTitleText(QStringLiteral("X（第1组）"));
  axisY->setTitleText(QStringLiteral("Y（第2组）"));
  plot::AddAxes(*chart, axisX, axisY);
  if (bands.line) {
    plot::Attach(*chart, bands.line, axisX, axisY);
    plot::Attach(*chart, bands.oneLower, axisX, axisY);
    plot::Attach(*chart, bands.oneUpper, axisX, axisY);
    for (QLegendMarker* marker : chart->legend()->markers(bands.oneUpper))
      marker->setVisible(false);
  }
  plot::Attach(*chart, points, axisX, axisY);
  plot::Attach(*chart, fit, axisX, axisY);
  // A line shows in the legend as a stretch of its own pen.
  for (QAbstractSeries* line :
       {static_cast<QAbstractSeries*>(fit), static_cast<QAbstractSeries*>(bands.oneLower)}) {
    if (line == nullptr) continue;
    for (QLegendMarker* marker : chart->legend()->markers(line))
      marker->setShape(QLegend::MarkerShapeFromSeries);
  }
  Picture picture = ChartPicture(std::move(chart));
  picture.dots.push_back({points, std::move(shown), plot::kLight, plot::kFirst, size});
  picture.caption = step > 1 ? QStringLiteral(
                                   "共%1对，图中均匀抽取每%2对中的1对（%3个点）；"
                                   "回归直线由全部数据算出。")
                                   .arg(n)
                                   .arg(step)
                                   .arg(picture.dots.back().points.size())
                             : QStringLiteral("共%1对。").arg(n);
  return picture;
}

}  // namespace sumvane
