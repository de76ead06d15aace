#include "pictures/test_picture.h"

#include <QAreaSeries>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "pictures/exact_picture.h"
#include "pictures/plot_kit.h"
#include "stats/answer_text.h"
#include "stats/picture_figures.h"

namespace sumvane {
namespace {

constexpr int kCurvePoints = 401;
constexpr int kRegionPoints = 161;

QLineSeries* Line(const std::vector<CurvePoint>& points) {
  auto* line = new QLineSeries;
  for (const CurvePoint& p : points) line->append(p.x, p.y);
  return line;
}

// The density from x0 to x1 as the upper edge of an area down to 0.
QAreaSeries* Region(const NullLaw& law, double x0, double x1, double yCap) {
  auto* upper = Line(DensityEdge(law, x0, x1, kRegionPoints, yCap));
  auto* lower = new QLineSeries;
  for (const QPointF& p : upper->points()) lower->append(p.x(), 0);
  auto* area = new QAreaSeries(upper, lower);
  upper->setParent(area);
  lower->setParent(area);
  return area;
}

QString Figure(double value) { return QString::number(value, 'g', 4); }

}  // namespace

Picture TestPicture(const TestFacts& facts) {
  if (facts.exact) return ExactPicture(*facts.exact);
  Picture picture;
  const bool t = facts.law == TestFacts::Law::kT;
  if (!facts.statistic || !std::isfinite(*facts.statistic) || !facts.degrees ||
      !(*facts.degrees > 0) || !std::isfinite(*facts.degrees)) {
    picture.why = QStringLiteral("（检验统计量或自由度尚未算出，无法画出H0下的分布图。）");
    return picture;
  }
  if (!t && *facts.statistic < 0) {
    picture.why = QStringLiteral("（χ²不能为负，无法画出H0下的分布图。）");
    return picture;
  }
  const double nu = *facts.degrees;
  const NullLaw law{facts.law, nu};
  const double alpha = facts.alpha;
  const NullLawFigures figures = FiguresOf(law, alpha);
  const double critical = figures.critical;
  const double observed = t ? std::abs(*facts.statistic) : *facts.statistic;
  // Wide enough that the undrawn tail is a few 10⁻⁴, but the body stays visible.
  const double base = std::max(1.15 * critical, std::min(figures.far, std::max(3 * critical, 4.0)));
  auto* axisX = new QValueAxis;
  // A statistic far out would squeeze the curve to a spike: it is shown at the
  // edge instead, with an arrow.
  const double wanted = observed <= 1.6 * base ? std::max(base, 1.1 * observed) : base;
  axisX->setRange(t ? -wanted : 0.0, wanted);
  axisX->applyNiceNumbers();
  const double xMax = axisX->max();
  const double xMin = t ? -xMax : 0.0;
  axisX->setRange(xMin, xMax);
  const double yMax = 1.12 * figures.peak;

  auto chart = std::make_unique<QChart>();
  StyleChart(*chart);
  auto* axisY = new QValueAxis;
  axisY->setRange(0, yMax);
  axisY->applyNiceNumbers();
  axisY->setTitleText(QStringLiteral("概率密度"));
  axisX->setTitleText(t ? QStringLiteral("t") : QStringLiteral("χ²"));
  plot::AddAxes(*chart, axisX, axisY);
  chart->setTitle(QStringLiteral("H0成立时%1的分布（ν=%2）")
                      .arg(t ? QStringLiteral("t") : QStringLiteral("χ²"), Figure(nu)));

  auto add = [&](QAbstractSeries* series, const char* name, bool inLegend) {
    series->setObjectName(QLatin1String(name));
    plot::Attach(*chart, series, axisX, axisY);
    if (!inLegend)
      for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
  };

  // P beyond the statistic: a light solid fill under the hatching.
  const QString pText = QString::fromStdString(PText(facts.p, facts.source));
  const double pFrom = std::min(observed, xMax);
  for (int side = 0; side < (t ? 2 : 1); ++side) {
    QAreaSeries* p = side == 0 ? Region(law, pFrom, xMax, yMax) : Region(law, -xMax, -pFrom, yMax);
    // Legend labels are rich text.
    p->setName(pText.isEmpty() ? QStringLiteral("统计量以外的面积") : pText.toHtmlEscaped());
    plot::FillLight(*p);
    add(p, "p", side == 0);
  }
  for (int side = 0; side < (t ? 2 : 1); ++side) {
    QAreaSeries* region =
        side == 0 ? Region(law, critical, xMax, yMax) : Region(law, -xMax, -critical, yMax);
    region->setName(QStringLiteral("拒绝域（α=%1）").arg(Figure(alpha)));
    plot::Hatch(*region);
    add(region, "rejection", side == 0);
  }
  QLineSeries* curve = Line(DensityCurve(law, xMin, xMax, kCurvePoints, yMax));
  curve->setName(QStringLiteral("H0下的分布"));
  curve->setPen(QPen(Qt::black, 1.6));
  add(curve, "density", false);

  // The texts stand beside their lines, never across a line or each other.
  const auto beside = [](double x, double y, bool rightFirst) {
    const Qt::Alignment first = rightFirst ? Qt::AlignRight : Qt::AlignLeft;
    const Qt::Alignment second = rightFirst ? Qt::AlignLeft : Qt::AlignRight;
    return std::vector<TextPlace>{{QPointF(x, y), first | Qt::AlignBottom},
                                  {QPointF(x, y), second | Qt::AlignBottom}};
  };
  for (int side = 0; side < (t ? 2 : 1); ++side) {
    const double x = side == 0 ? critical : -critical;
    QLineSeries* line = plot::Upright(x, 0, 0.72 * yMax);
    line->setPen(QPen(Qt::black, 1.2, Qt::DashLine));
    add(line, "critical", false);
    picture.keepClear.push_back(line);
    picture.texts.push_back(
        {line, QStringLiteral("临界值%1").arg(Figure(x)), beside(x, 0.72 * yMax, side == 0)});
  }
  const bool offScale = observed > xMax;
  const double shownAt = std::min(observed, xMax);
  const QString name = !t                                ? QStringLiteral("χ²")
                       : facts.source == PSource::kWelch ? QStringLiteral("t′")
                                                         : QStringLiteral("t");
  QLineSeries* statistic = plot::Upright(shownAt, 0, 0.9 * yMax);
  statistic->setPen(QPen(QColor(0x1F, 0x4E, 0x9A), 2.4));
  statistic->setName(QStringLiteral("%1=%2").arg(name, Figure(*facts.statistic)));
  add(statistic, "statistic", true);
  // A line in the legend, as on the plot.
  for (QLegendMarker* marker : chart->legend()->markers(statistic))
    marker->setShape(QLegend::MarkerShapeFromSeries);
  picture.keepClear.push_back(statistic);
  picture.texts.push_back(
      {statistic,
       QStringLiteral("%1=%2%3").arg(t ? "|" + name + "|" : name, Figure(observed),
                                     offScale ? QStringLiteral(" →") : QString()),
       beside(shownAt, 0.9 * yMax, false)});
  if (!pText.isEmpty()) {
    // Beside the statistic, first on the side away from the edge of the plot,
    // then lower, where the tails leave room, then higher.
    const bool roomRight = shownAt < 0.7 * xMax;
    std::vector<TextPlace> places;
    for (const double height : {0.45, 0.2, 0.6}) {
      const std::vector<TextPlace> two = beside(shownAt, height * yMax, roomRight);
      places.insert(places.end(), two.begin(), two.end());
    }
    picture.texts.push_back({statistic, pText, std::move(places)});
  }
  picture.caption = t ? QStringLiteral("阴影为双侧拒绝域，浅色为|t|以外的面积P。")
                      : QStringLiteral("阴影为拒绝域（上侧），浅色为χ²以外的面积P。");
  picture.chart = std::move(chart);
  return picture;
}

}  // namespace sumvane
