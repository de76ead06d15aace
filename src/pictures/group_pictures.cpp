#include <QChart>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "pictures/data_picture.h"
#include "pictures/plot_kit.h"
#include "pictures/strip_kit.h"
#include "stats/picture_figures.h"

namespace sumvane {
namespace {

QString Figure(double value) { return QString::number(value, 'g', 4); }

bool AllFinite(std::span<const double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

std::unique_ptr<QChart> NewChart(const QString& title) {
  auto chart = std::make_unique<QChart>();
  StyleChart(*chart);
  chart->setTitle(title);
  return chart;
}

const QColor kColours[2] = {plot::kFirst, plot::kSecond};

}  // namespace

Picture DataPicture(const DataFacts& facts) {
  switch (facts.kind) {
    case DataFacts::Kind::kGroups:
      return GroupsPicture(facts);
    case DataFacts::Kind::kDifferences:
      return DifferencesPicture(facts);
    case DataFacts::Kind::kScatter:
      return ScatterPicture(facts);
    case DataFacts::Kind::kRowProportions:
      return ProportionsPicture(facts);
    case DataFacts::Kind::kPairedProportions:
      return PairedProportionsPicture(facts);
    case DataFacts::Kind::kSummaryMeans:
      return SummaryMeansPicture(facts);
    case DataFacts::Kind::kNone:
      break;
  }
  return NoPicture(QStringLiteral("（列表中没有可画的数据。）"));
}

Picture GroupsPicture(const DataFacts& facts) {
  const std::span<const double> groups[2] = {facts.x, facts.y};
  if (facts.x.empty() || facts.y.empty() || !AllFinite(facts.x) || !AllFinite(facts.y))
    return NoPicture(QStringLiteral("（两组都有数据时才画出各组的数据图。）"));
  const bool boxes = std::max(facts.x.size(), facts.y.size()) > kMostDots;
  double low = facts.x.front(), high = low;
  for (auto g : groups)
    for (double v : g) low = std::min(low, v), high = std::max(high, v);
  const PictureSpread spreads[2] = {SpreadOf(facts.x), SpreadOf(facts.y)};
  for (const PictureSpread& s : spreads)
    low = std::min(low, s.mean - s.sd), high = std::max(high, s.mean + s.sd);
  Picture picture = ChartPicture(NewChart(QStringLiteral("两组的原始数据")));
  QChart& chart = *picture.chart;
  const strip::Axes axes = strip::AddAxes(chart, 2,
                                          {QStringLiteral("第1组（n=%1）").arg(facts.x.size()),
                                           QStringLiteral("第2组（n=%1）").arg(facts.y.size())},
                                          low, high);
  for (int g = 0; g < 2; ++g) {
    const QString n = QString::number(g + 1);
    if (boxes) {
      strip::AddBox(chart, axes, BoxOf({groups[g].begin(), groups[g].end()}), g + 0.9, kColours[g],
                    QStringLiteral("box") + n);
    } else {
      QScatterSeries* dots = strip::Dots(groups[g], g + 0.9);
      dots->setColor(kColours[g]);
      dots->setBorderColor(plot::kDark);
      if (g == 1) dots->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
      strip::Add(chart, axes, dots, QStringLiteral("dots") + n, QString());
    }
    strip::AddBar(chart, axes, g + 1.3, spreads[g].mean - spreads[g].sd, spreads[g].mean,
                  spreads[g].mean + spreads[g].sd, plot::kDark, QStringLiteral("sd") + n,
                  g == 0 ? QStringLiteral("均数±1倍标准差") : QString());
  }
  picture.caption =
      boxes ? QStringLiteral(
                  "例数较多，以箱线图表示（箱为四分位数间距，须至最小值与最大值）；"
                  "右侧为均数±1倍标准差。")
            : QStringLiteral("每点为一个观察值（相同数值左右错开）；右侧为均数±1倍标准差。");
  return picture;
}

Picture DifferencesPicture(const DataFacts& facts) {
  if (facts.x.size() != facts.y.size() || facts.x.size() < 2)
    return NoPicture(QStringLiteral("（两组例数相等且至少有2对时才画出差值图。）"));
  const DifferenceFigures figures = DifferencesOf(facts.x, facts.y);
  const std::vector<double>& d = figures.differences;
  if (!AllFinite(d)) return NoPicture(QStringLiteral("（差值无法算出，不画差值图。）"));
  const auto [lowest, highest] = std::minmax_element(d.begin(), d.end());
  const double low = std::min({*lowest, figures.low, 0.0});
  const double high = std::max({*highest, figures.high, 0.0});
  Picture picture = ChartPicture(NewChart(QStringLiteral("各对的差值 d = X1 − X2")));
  QChart& chart = *picture.chart;
  const strip::Axes axes =
      strip::AddAxes(chart, 1, {QStringLiteral("差值（n=%1）").arg(d.size())}, low, high);
  QLineSeries* zero = plot::Level(0, 0.4, 1.6);
  zero->setPen(QPen(plot::kDark, 1, Qt::DashLine));
  strip::Add(chart, axes, zero, QStringLiteral("zero"), QStringLiteral("差值为0"));
  if (d.size() > kMostDots) {
    strip::AddBox(chart, axes, BoxOf(d), 0.85, plot::kFirst, QStringLiteral("differences"));
  } else {
    QScatterSeries* dots = strip::Dots(d, 0.85);
    dots->setColor(plot::kLight);
    dots->setBorderColor(plot::kFirst);
    strip::Add(chart, axes, dots, QStringLiteral("differences"), QString());
  }
  strip::AddBar(chart, axes, 1.3, figures.low, figures.mean, figures.high, plot::kDark,
                QStringLiteral("interval"), QStringLiteral("差值均数及其95%可信区间"));
  picture.caption = QStringLiteral("差值均数 %1，95%可信区间 %2～%3。")
                        .arg(Figure(figures.mean), Figure(figures.low), Figure(figures.high));
  return picture;
}

Picture SummaryMeansPicture(const DataFacts& facts) {
  const auto& g = facts.summary;
  if (!g[0].mean || !g[1].mean || !std::isfinite(*g[0].mean) || !std::isfinite(*g[1].mean))
    return NoPicture(QStringLiteral("（两组均数都已填写时才画出均数图。）"));
  double low = std::min(*g[0].mean, *g[1].mean), high = std::max(*g[0].mean, *g[1].mean);
  double sd[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    if (g[i].sd && std::isfinite(*g[i].sd) && *g[i].sd >= 0) sd[i] = *g[i].sd;
    low = std::min(low, *g[i].mean - sd[i]);
    high = std::max(high, *g[i].mean + sd[i]);
  }
  auto caption = [&](int i) {
    return g[i].n ? QStringLiteral("第%1组（n=%2）").arg(i + 1).arg(Figure(*g[i].n))
                  : QStringLiteral("第%1组").arg(i + 1);
  };
  Picture picture = ChartPicture(NewChart(QStringLiteral("两组的均数±1倍标准差")));
  QChart& chart = *picture.chart;
  const strip::Axes axes = strip::AddAxes(chart, 2, {caption(0), caption(1)}, low, high);
  for (int i = 0; i < 2; ++i) {
    strip::AddBar(chart, axes, i + 1, *g[i].mean - sd[i], *g[i].mean, *g[i].mean + sd[i],
                  kColours[i], QStringLiteral("sd%1").arg(i + 1), QString());
    auto* mean = new QScatterSeries;
    mean->append(i + 1, *g[i].mean);
    mean->setColor(kColours[i]);
    mean->setBorderColor(plot::kDark);
    mean->setMarkerSize(9);
    strip::Add(chart, axes, mean, QStringLiteral("mean%1").arg(i + 1), QString());
  }
  picture.caption = QStringLiteral("由输入的汇总数据画出（无原始数据）。");
  return picture;
}

}  // namespace sumvane
