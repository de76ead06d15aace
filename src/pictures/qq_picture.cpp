#include "pictures/qq_picture.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

#include "pictures/plot_kit.h"

namespace sumvane {
Picture QqPicture(const QqPictureFacts& facts) {
  const QqFacts& qq = facts.facts;
  const QString what = QString::fromStdString(facts.what);
  if (qq.failure != NoFigure::kNone || qq.points.size() < 2 || !qq.intercept || !qq.slope) {
    return NoPicture(QStringLiteral("（%1不足2个或含无法计算的值，不画Q–Q图。）").arg(what));
  }
  const double q0 = qq.points.front().quantile, q1 = qq.points.back().quantile;
  const double v0 = qq.points.front().value, v1 = qq.points.back().value;

  auto* points = new QScatterSeries;
  points->setObjectName(QStringLiteral("qq"));
  points->setName(QStringLiteral("有序%1").arg(what));
  const double size = qq.thinned ? 4 : 7;
  points->setMarkerSize(size);
  points->setColor(plot::kLight);
  points->setBorderColor(plot::kFirst);
  QList<QPointF> shown;
  shown.reserve(static_cast<qsizetype>(qq.points.size()));
  for (const QqPoint& point : qq.points) shown.append(QPointF(point.quantile, point.value));

  auto* line = new QLineSeries;
  line->setObjectName(QStringLiteral("qqline"));
  line->setName(QStringLiteral("过四分位数的直线"));
  line->setPen(QPen(plot::kDark, 2));
  line->append(q0, *qq.intercept + *qq.slope * q0);
  line->append(q1, *qq.intercept + *qq.slope * q1);

  auto chart = std::make_unique<QChart>();
  StyleChart(*chart);
  chart->setTitle(QStringLiteral("正态Q–Q图：%1").arg(what));
  auto* axisX = new QValueAxis;
  auto* axisY = new QValueAxis;
  const double padX = std::max((q1 - q0) * 0.05, 1e-9);
  const double low = std::min({v0, line->at(0).y(), line->at(1).y()});
  const double high = std::max({v1, line->at(0).y(), line->at(1).y()});
  const double padY = std::max((high - low) * 0.05, 1e-9);
  axisX->setRange(q0 - padX, q1 + padX);
  axisY->setRange(low - padY, high + padY);
  axisX->applyNiceNumbers();
  axisY->applyNiceNumbers();
  axisX->setTitleText(QStringLiteral("标准正态分位数"));
  axisY->setTitleText(QStringLiteral("有序%1").arg(what));
  plot::AddAxes(*chart, axisX, axisY);
  plot::Attach(*chart, points, axisX, axisY);
  plot::Attach(*chart, line, axisX, axisY);
  for (QLegendMarker* marker : chart->legend()->markers(line))
    marker->setShape(QLegend::MarkerShapeFromSeries);
  Picture picture = ChartPicture(std::move(chart));
  picture.dots.push_back({points, std::move(shown), plot::kLight, plot::kFirst, size});
  picture.caption =
      qq.thinned ? QStringLiteral("共%1个%2；点密处每格只画1个（%3个点），直线由全部数据算出。")
                       .arg(qq.n)
                       .arg(what)
                       .arg(picture.dots.back().points.size())
                 : QStringLiteral("共%1个%2；点大致落在直线上即近似正态。").arg(qq.n).arg(what);
  return picture;
}

}  // namespace sumvane
