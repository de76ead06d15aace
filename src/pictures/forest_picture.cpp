#include "pictures/forest_picture.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "pictures/plot_kit.h"

namespace sumvane {
namespace {

void Attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
  chart.addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

QString Figure(double value) { return QString::number(value, 'g', 4); }

bool Drawable(const ForestRow& row, bool logScale) {
  const bool finite = std::isfinite(row.estimate) && std::isfinite(row.lower) &&
                      std::isfinite(row.upper) && row.lower <= row.upper;
  return finite && (!logScale || row.lower > 0.0);
}

}  // namespace

Picture ForestPicture(const ForestFacts& facts) {
  std::vector<ForestRow> rows;
  for (const ForestRow& row : facts.rows) {
    if (Drawable(row, facts.logScale)) rows.push_back(row);
  }
  if (rows.empty()) return NoPicture(QStringLiteral("（没有可画的可信区间。）"));

  double low = facts.noEffect, high = facts.noEffect;
  for (const ForestRow& row : rows) {
    low = std::min(low, row.lower);
    high = std::max(high, row.upper);
  }
  auto chart = std::make_unique<QChart>();
  StyleChart(*chart);
  chart->setTitle(QString::fromStdString(facts.title));
  chart->legend()->hide();

  QAbstractAxis* axisX = nullptr;
  if (facts.logScale) {
    auto* axis = new QLogValueAxis;
    axis->setBase(10);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setRange(low / 1.5, high * 1.5);
    axis->setMinorTickCount(8);
    axisX = axis;
  } else {
    auto* axis = new QValueAxis;
    const double pad = std::max((high - low) * 0.08, 1e-9);
    axis->setRange(low - pad, high + pad);
    axis->applyNiceNumbers();
    axisX = axis;
  }
  axisX->setTitleText(facts.logScale ? QStringLiteral("效应（对数尺度），虚线为无效应")
                                     : QStringLiteral("效应，虚线为无效应"));
  // The first row at the top.
  auto* axisY = new QCategoryAxis;
  const int n = static_cast<int>(rows.size());
  axisY->setRange(0.5, n + 0.5);
  axisY->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  // Categories go in by rising value: the last row first.
  for (int i = n - 1; i >= 0; --i) {
    const ForestRow& row = rows[static_cast<std::size_t>(i)];
    axisY->append(QStringLiteral("%1 %2 (%3, %4)")
                      .arg(QString::fromStdString(row.name), Figure(row.estimate),
                           Figure(row.lower), Figure(row.upper)),
                  n - i);
  }
  axisY->setStartValue(0.5);
  plot::AddAxes(*chart, axisX, axisY);

  auto* none = new QLineSeries;
  none->setObjectName(QStringLiteral("no_effect"));
  none->append(facts.noEffect, 0.5);
  none->append(facts.noEffect, n + 0.5);
  none->setPen(QPen(plot::kDark, 1.5, Qt::DashLine));
  Attach(*chart, none, axisX, axisY);

  auto* points = new QScatterSeries;
  points->setObjectName(QStringLiteral("forest_estimate"));
  points->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  points->setMarkerSize(9);
  points->setColor(plot::kFirst);
  points->setBorderColor(plot::kFirst);
  for (int i = 0; i < n; ++i) {
    const ForestRow& row = rows[static_cast<std::size_t>(i)];
    auto* bar = new QLineSeries;
    bar->setObjectName(QStringLiteral("forest_interval"));
    bar->append(row.lower, n - i);
    bar->append(row.upper, n - i);
    bar->setPen(QPen(plot::kFirst, 2.5));
    Attach(*chart, bar, axisX, axisY);
    points->append(row.estimate, n - i);
  }
  Attach(*chart, points, axisX, axisY);
  Picture picture = ChartPicture(std::move(chart));
  picture.caption =
      QStringLiteral("方块为点估计，横线为95%可信区间；区间跨过虚线者与无效应无统计学差别。");
  return picture;
}

}  // namespace sumvane
