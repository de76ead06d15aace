#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "pictures/data_picture.h"
#include "pictures/plot_kit.h"
#include "stats/picture_figures.h"

namespace sumvane {
namespace {

QString Figure(double value) { return QString::number(value, 'g', 6); }

bool ValidCounts(const std::array<double, 4>& c) {
  return std::all_of(c.begin(), c.end(), [](double v) { return std::isfinite(v) && v >= 0; }) &&
         c[0] + c[1] + c[2] + c[3] > 0;
}

// Two stacked bars over two captions, on a rate axis from 0 to 1. The axis
// reaches a little past 1 without a tick there, so that a full bar leaves
// room for its text above it.
Picture TwoBars(const QString& title, const QStringList& captions, QStackedBarSeries* series) {
  auto chart = std::make_unique<QChart>();
  StyleChart(*chart);
  chart->setTitle(title);
  series->setObjectName(QStringLiteral("proportions"));
  series->setBarWidth(0.5);
  chart->addSeries(series);
  auto* axisX = new QBarCategoryAxis;
  axisX->append(captions);
  auto* axisY = new QValueAxis;
  axisY->setRange(0, 1.18);
  axisY->setTickType(QValueAxis::TicksDynamic);
  axisY->setTickAnchor(0);
  axisY->setTickInterval(0.2);
  axisY->setTitleText(QStringLiteral("阳性率"));
  plot::AddAxes(*chart, axisX, axisY);
  series->attachAxis(axisX);
  series->attachAxis(axisY);
  Picture picture = ChartPicture(std::move(chart));
  picture.keepClear.push_back(series);
  return picture;
}

QBarSet* Bars(const QString& name, const QBrush& brush) {
  auto* set = new QBarSet(name);
  set->setBrush(brush);
  set->setPen(QPen(plot::kDark, 1));
  return set;
}

// Above bar `at`, its rate with the counts it is formed from.
PlotText RateText(QAbstractSeries* series, int at, const Rate& rate) {
  return {series,
          rate.whole > 0 ? QStringLiteral("%1%（%2/%3）")
                               .arg(rate.percent, 0, 'f', 1)
                               .arg(Figure(rate.part), Figure(rate.whole))
                         : QStringLiteral("无例数"),
          {{QPointF(at, rate.rate), Qt::AlignHCenter | Qt::AlignBottom}}};
}

}  // namespace

Picture ProportionsPicture(const DataFacts& facts) {
  const auto& c = facts.cells;
  if (!ValidCounts(c)) return NoPicture(QStringLiteral("（四格表尚无有效频数，不画率的条图。）"));
  const std::array<Rate, 2> rows = RowRates(c);
  auto* rates = Bars(QStringLiteral("阳性率"), plot::kFirst);
  for (const Rate& row : rows) *rates << row.rate;
  auto* series = new QStackedBarSeries;
  series->append(rates);
  Picture picture = TwoBars(
      QStringLiteral("各行的阳性率"),
      {QString::fromStdString(facts.captions[0]), QString::fromStdString(facts.captions[1])},
      series);
  picture.chart->legend()->setVisible(false);
  for (int row = 0; row < 2; ++row) picture.texts.push_back(RateText(series, row, rows[row]));
  picture.caption = QStringLiteral("阳性率 = 第1列频数 / 行合计。");
  return picture;
}

// Both measurements count the a pairs positive; the first adds the b pairs
// positive only by it, the second the c pairs positive only by it. So the two
// rates differ exactly by the discordant pairs, which is what the paired
// chi-square weighs.
Picture PairedProportionsPicture(const DataFacts& facts) {
  const auto& c = facts.cells;
  if (!ValidCounts(c))
    return NoPicture(QStringLiteral("（配对四格表尚无有效频数，不画阳性率的条图。）"));
  const double n = c[0] + c[1] + c[2] + c[3];
  const QString first = QString::fromStdString(facts.captions[0]),
                second = QString::fromStdString(facts.captions[1]);
  const QString positive = QString::fromStdString(facts.positive);
  auto* both = Bars(QStringLiteral("两次均为%1（a）").arg(positive), plot::kLight);
  auto* discordant = Bars(QStringLiteral("结果不一致（b、c）"), plot::kFirst);
  const PairedRates rates = PairedRatesOf(c);
  *both << rates.both << rates.both;
  *discordant << rates.onlyFirst << rates.onlySecond;
  auto* series = new QStackedBarSeries;
  series->append(both);
  series->append(discordant);
  Picture picture = TwoBars(QStringLiteral("配对设计：%1与%2的阳性率").arg(first, second),
                            {first + positive, second + positive}, series);
  picture.texts.push_back(RateText(series, 0, rates.rates[0]));
  picture.texts.push_back(RateText(series, 1, rates.rates[1]));
  // Each discordant count beside its part of the bar, outside the pair first;
  // just below the top of the bar where the rate above it leaves no room.
  for (int bar = 0; bar < 2; ++bar) {
    const double count = c[1 + bar];
    const double middle = (c[0] + count / 2) / n, top = (c[0] + count) / n;
    const double outer = bar == 0 ? -0.25 : 1.25, inner = bar == 0 ? 0.25 : 0.75;
    const Qt::Alignment out = bar == 0 ? Qt::AlignLeft : Qt::AlignRight;
    const Qt::Alignment in = bar == 0 ? Qt::AlignRight : Qt::AlignLeft;
    picture.texts.push_back(
        {series,
         QStringLiteral("%1=%2").arg(QChar(bar == 0 ? u'b' : u'c'), Figure(count)),
         {{QPointF(outer, middle), out | Qt::AlignVCenter},
          {QPointF(outer, top), out | Qt::AlignTop},
          {QPointF(inner, middle), in | Qt::AlignVCenter},
          {QPointF(inner, top), in | Qt::AlignTop}}});
  }
  picture.caption =
      QStringLiteral(
          "左柱为%1%3的比例(a+b)/n，右柱为%2%3的比例(a+c)/n；两柱共有两次均为%3的a对，"
          "只差在结果不一致的b对与c对，配对χ²检验比较的正是b与c。")
          .arg(first, second, positive);
  return picture;
}

}  // namespace sumvane
