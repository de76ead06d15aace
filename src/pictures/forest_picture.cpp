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
    // Ticks at whole steps of 1, 2 or 5 × 10^k, so that no effect reads 0
    // and not what stepping from the axis' end would round it to.
    const double pad = std::max((high - low) * 0.08, 1e-9);
    const double from = low - pad, to = high + pad;
    const double raw = (to - from) / 5.0, power = std::pow(10.0, std::floor(std::log10(raw)));
    const double step = raw / power < 1.5 ? power : raw / power < 3.5 ? 2 * power : 5 * power;
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const double first = std::floor(from / step), last = std::ceil(to / step);
    axis->setRange(first * step, last * step);
    axis->setStartValue(first * step);
    for (double k = first; k <= last; ++k) {
      const double tick = k == 0 ? 0.0 : k * step;
      axis->append(QString::number(tick, 'g', 4), tick);
    }
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
    axisY->append(QString::fromStdString(row.name), n - i);
  }
  axisY->setStartValue(0.5);
  plot::AddAxes(*chart, axisX, axisY);

  auto* none = new QLineSeries;
  none->setObjectName(QStringLiteral("no_effect"));
  none->append(facts.noEffect, 0.5);
  none->append(facts.noEffect, n + 0.5);
  none->setPen(QPen(plot::kDark, 1.5, Qt::DashLine));
  plot::Attach(*chart, none, axisX, axisY);

  auto* points = new QScatterSeries;
  points->setObjectName(QStringLiteral("forest_estimate"));
  points->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  points->setMarkerSize(9);
  points->setColor(plot::kFirst);
  points->setBorderColor(plot::kFirst);
  std::vector<QAbstractSeries*> bars;
  for (int i = 0; i < n; ++i) {
    const ForestRow& row = rows[static_cast<std::size_t>(i)];
    auto* bar = new QLineSeries;
    bar->setObjectName(QStringLiteral("forest_interval"));
    bar->append(row.lower, n - i);
    bar->append(row.upper, n - i);
    bar->setPen(QPen(plot::kFirst, 2.5));
    plot::Attach(*chart, bar, axisX, axisY);
    points->append(row.estimate, n - i);
    bars.push_back(bar);
  }
  plot::Attach(*chart, points, axisX, axisY);
  Picture picture = ChartPicture(std::move(chart));
  // Each row's figures over its bar, clear of the bars and the dashed line.
  for (int i = 0; i < n; ++i) {
    const ForestRow& row = rows[static_cast<std::size_t>(i)];
    const QPointF at(row.estimate, n - i + 0.12);
    picture.texts.push_back(
        {points,
         QStringLiteral("%1 (%2, %3)")
             .arg(Figure(row.estimate), Figure(row.lower), Figure(row.upper)),
         {{at, Qt::AlignHCenter | Qt::AlignBottom},
          {at, Qt::AlignRight | Qt::AlignBottom},
          {at, Qt::AlignLeft | Qt::AlignBottom},
          {QPointF(row.estimate, n - i - 0.12), Qt::AlignHCenter | Qt::AlignTop}}});
  }
  picture.keepClear = bars;
  picture.keepClear.push_back(none);
  picture.caption =
      QStringLiteral("方块为点估计，横线为95%可信区间；区间跨过虚线者与无效应无统计学差别。");
  return picture;
}

}  // namespace sumvane
