#include "pictures/exact_picture.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QFontMetricsF>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>

#include "pictures/plot_kit.h"
#include "pictures/window_face.h"
#include "stats/answer_text.h"

namespace sumvane {
namespace {

// The first and one past the last table drawn: the run around the observed
// table and the most probable one, without the negligible tails.
std::pair<std::size_t, std::size_t> DrawnRun(const std::vector<double>& probabilities,
                                             std::size_t observed) {
  std::size_t first = 0, last = probabilities.size();
  double cut = 0;
  while (first < observed && cut + probabilities[first] < kNegligibleProbability / 2)
    cut += probabilities[first++];
  cut = 0;
  while (last > observed + 1 && cut + probabilities[last - 1] < kNegligibleProbability / 2)
    cut += probabilities[--last];
  return {first, last};
}

// Whether every name fits under its bar: Qt Charts gives each the plot's
// width over one more than their number, less padding, and cuts the rest.
bool NamesFit(const QStringList& categories) {
  const QFontMetricsF metrics(face::WindowFont(8));
  double widest = 0;
  for (const QString& name : categories) widest = std::max(widest, metrics.horizontalAdvance(name));
  // The plot is narrower than the picture by the value axis and the margins.
  const double plotWidth = kPictureWidth - 100.0;
  return widest + 12 <= plotWidth / static_cast<double>(categories.size() + 1);
}

// The tables by their cell a: each named under its bar where the names fit,
// else a at round steps.
QAbstractAxis* TablesAxis(const QStringList& categories, int firstA) {
  if (NamesFit(categories)) {
    auto* axis = new QBarCategoryAxis;
    axis->append(categories);
    return axis;
  }
  const auto count = static_cast<int>(categories.size());
  int step = 1;
  for (int scale = 1; count / step > 8; scale *= 10) {
    for (const int m : {1, 2, 5}) {
      step = m * scale;
      if (count / step <= 8) break;
    }
  }
  auto* axis = new QCategoryAxis;
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  axis->setStartValue(-0.5);
  axis->setRange(-0.5, count - 0.5);
  for (int a = (firstA + step - 1) / step * step; a < firstA + count; a += step)
    axis->append(QString::number(a), a - firstA);
  return axis;
}

}  // namespace

Picture ExactPicture(const ExactTestSupport& support) {
  Picture picture;
  const std::size_t count = support.probabilities.size();
  const auto observed = static_cast<std::size_t>(support.observedA - support.lowestA);
  if (count == 0 || observed >= count || support.counted.size() != count) {
    picture.why = QStringLiteral("（无法列出边缘合计相同的全部四格表。）");
    return picture;
  }
  const auto [first, last] = DrawnRun(support.probabilities, observed);
  auto* counted = new QBarSet(QStringLiteral("不大于观察表概率的表（计入P）"));
  auto* other = new QBarSet(QStringLiteral("其他表"));
  counted->setObjectName(QStringLiteral("counted"));
  other->setObjectName(QStringLiteral("other"));
  counted->setBrush(QBrush(plot::kDark, Qt::BDiagPattern));
  counted->setPen(QPen(plot::kDark, 1));
  other->setBrush(plot::kLight);
  other->setPen(QPen(plot::kFirst, 1));
  QStringList categories;
  double top = 0;
  for (std::size_t i = first; i < last; ++i) {
    const double p = support.probabilities[i];
    top = std::max(top, p);
    *counted << (support.counted[i] ? p : 0.0);
    *other << (support.counted[i] ? 0.0 : p);
    categories << QString::number(support.lowestA + static_cast<int>(i));
  }
  auto* series = new QStackedBarSeries;
  series->setObjectName(QStringLiteral("tables"));
  series->setBarWidth(0.8);
  series->append(counted);
  series->append(other);

  auto chart = std::make_unique<QChart>();
  StyleChart(*chart);
  chart->setTitle(QStringLiteral("边缘合计固定时各四格表的概率（超几何分布）"));
  chart->addSeries(series);
  QAbstractAxis* axisX = TablesAxis(categories, support.lowestA + static_cast<int>(first));
  axisX->setTitleText(QStringLiteral("a 格频数"));
  auto* axisY = new QValueAxis;
  axisY->setRange(0, top * 1.25);
  axisY->applyNiceNumbers();
  axisY->setTitleText(QStringLiteral("概率"));
  plot::AddAxes(*chart, axisX, axisY);
  series->attachAxis(axisX);
  series->attachAxis(axisY);

  // The arrow over the observed table's bar, its words over the arrow, both
  // lifted above any taller bar they would cover.
  const QPointF observedTop(static_cast<double>(observed - first), support.probabilities[observed]);
  picture.keepClear.push_back(series);
  picture.texts.push_back(
      {series, QStringLiteral("▼"), {{observedTop, Qt::AlignHCenter | Qt::AlignBottom}}});
  picture.texts.push_back({series,
                           QStringLiteral("观察表 a=%1").arg(support.observedA),
                           {{observedTop, Qt::AlignHCenter | Qt::AlignBottom}}});
  // P as the report writes it.
  picture.caption = QStringLiteral("阴影各表的概率之和即%1。")
                        .arg(QString::fromStdString(PText(support.p, PSource::kExact)));
  picture.chart = std::move(chart);
  return picture;
}

}  // namespace sumvane
