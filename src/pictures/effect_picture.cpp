#include "pictures/effect_picture.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "pictures/plot_kit.h"

namespace sumvane {
namespace {

using Estimates = std::vector<EffectFacts::Estimate>;

// The axis's reach: every limit and the line of no effect, with a margin.
std::pair<double, double> Reach(const Estimates& estimates, double none) {
  double low = none, high = none;
  for (const auto& e : estimates) {
    low = std::min(low, e.lower);
    high = std::max(high, e.upper);
  }
  return {low, high};
}

void Attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y,
            const QString& name) {
  series->setObjectName(name);
  chart.addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

// The rows of one kind of measure from `top` down, against axis `x`, and its
// line of no effect. Only the first row and line name themselves in the
// legend.
void AddRows(QChart& chart, const Estimates& estimates, int top, double none, QAbstractAxis* x,
             QAbstractAxis* rows, bool named) {
  for (std::size_t i = 0; i < estimates.size(); ++i) {
    const double y = top - static_cast<double>(i);
    QLineSeries* interval = plot::Level(y, estimates[i].lower, estimates[i].upper);
    interval->setPen(QPen(plot::kFirst, 2));
    Attach(chart, interval, x, rows, QStringLiteral("interval"));
    interval->setName(QStringLiteral("估计值及其95%可信区间"));
    auto* point = new QScatterSeries;
    point->append(estimates[i].estimate, y);
    point->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    point->setMarkerSize(9);
    point->setColor(plot::kFirst);
    point->setBorderColor(plot::kDark);
    Attach(chart, point, x, rows, QStringLiteral("estimate"));
    chart.legend()->markers(point).front()->setVisible(false);
    if (!named || i > 0) chart.legend()->markers(interval).front()->setVisible(false);
  }
  const double bottom = top - static_cast<double>(estimates.size()) + 1;
  QLineSeries* line = plot::Upright(none, bottom - 0.45, top + 0.45);
  line->setPen(QPen(plot::kDark, 1.2, Qt::DashLine));
  Attach(chart, line, x, rows, QStringLiteral("noEffect"));
  line->setName(QStringLiteral("无效应线"));
  if (!named) chart.legend()->markers(line).front()->setVisible(false);
}

}  // namespace

Picture EffectsPicture(const EffectFacts& facts) {
  if (facts.IsEmpty()) return NoPicture(QStringLiteral("（没有可画的效应指标。）"));
  auto chart = std::make_unique<QChart>();
  StyleChart(*chart);
  chart->setTitle(QStringLiteral("效应指标及其95%可信区间"));
  const int count = static_cast<int>(facts.ratios.size() + facts.differences.size());

  // One row per estimate, named on the left, the first at the top.
  auto* rows = new QCategoryAxis;
  rows->setRange(0.4, count + 0.6);
  rows->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  rows->setGridLineVisible(false);
  for (int y = 1; y <= count; ++y) {
    const auto& e = y > static_cast<int>(facts.differences.size())
                        ? facts.ratios[static_cast<std::size_t>(count - y)]
                        : facts.differences[facts.differences.size() - static_cast<std::size_t>(y)];
    rows->append(QString::fromStdString(e.name), y);
  }
  plot::StyleAxis(*rows);
  chart->addAxis(rows, Qt::AlignLeft);

  if (!facts.ratios.empty()) {
    const auto [low, high] = Reach(facts.ratios, 1.0);
    auto* ratios = new QLogValueAxis;
    ratios->setBase(10);
    ratios->setRange(low / 1.5, high * 1.5);
    ratios->setLabelFormat(QStringLiteral("%.3g"));
    ratios->setGridLineVisible(false);
    // Two horizontal axes with titles leave their labels no room.
    if (facts.differences.empty()) ratios->setTitleText(QStringLiteral("OR、RR（对数尺度）"));
    plot::StyleAxis(*ratios);
    chart->addAxis(ratios, facts.differences.empty() ? Qt::AlignBottom : Qt::AlignTop);
    AddRows(*chart, facts.ratios, count, 1.0, ratios, rows, true);
  }
  if (!facts.differences.empty()) {
    const auto [low, high] = Reach(facts.differences, 0.0);
    const double margin = (high - low) * 0.1;
    // Labels at a round step from 0, about four across, written by hand: the
    // axis's own would add the steps up and write 0 as -6.939e-18.
    const double raw = (high - low + 2 * margin) / 4;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    const double ratio = raw / decade;
    const double step = decade * (ratio < 1.5 ? 1 : ratio < 3.5 ? 2 : ratio < 7.5 ? 5 : 10);
    const double first = std::floor((low - margin) / step),
                 last = std::ceil((high + margin) / step);
    auto* differences = new QCategoryAxis;
    differences->setRange(first * step, last * step);
    differences->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    differences->setGridLineVisible(false);
    for (double k = first; k <= last; ++k) {
      differences->append(QString::number(k == 0 ? 0.0 : k * step, 'g', 6), k * step);
    }
    if (facts.ratios.empty()) differences->setTitleText(QStringLiteral("RD"));
    plot::StyleAxis(*differences);
    chart->addAxis(differences, Qt::AlignBottom);
    AddRows(*chart, facts.differences, static_cast<int>(facts.differences.size()), 0.0, differences,
            rows, facts.ratios.empty());
  }
  chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
  Picture picture = ChartPicture(std::move(chart));
  picture.caption =
      QStringLiteral("方块为估计值，横线为95%可信区间；虚线为无效应线：OR、RR为1，RD为0。");
  // Two scales share the plot; without room for their titles, the caption
  // names them.
  if (!facts.ratios.empty() && !facts.differences.empty())
    picture.caption += QStringLiteral("上方刻度为OR、RR（对数尺度），下方刻度为RD。");
  return picture;
}

}  // namespace sumvane
