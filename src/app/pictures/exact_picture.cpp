#include "app/pictures/exact_picture.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>

#include "app/pictures/plot_kit.h"
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
  auto* axisX = new QBarCategoryAxis;
  axisX->append(categories);
  axisX->setTitleText(QStringLiteral("a 格频数"));
  auto* axisY = new QValueAxis;
  axisY->setRange(0, top * 1.25);
  axisY->applyNiceNumbers();
  axisY->setTitleText(QStringLiteral("概率"));
  plot::StyleAxis(*axisX);
  plot::StyleAxis(*axisY);
  // Past a few dozen tables, every label would collide.
  if (categories.size() > 30) axisX->setLabelsVisible(false);
  chart->addAxis(axisX, Qt::AlignBottom);
  chart->addAxis(axisY, Qt::AlignLeft);
  series->attachAxis(axisX);
  series->attachAxis(axisY);

  const double at = static_cast<double>(observed - first);
  picture.texts.push_back({QPointF(at, support.probabilities[observed]), series,
                           QStringLiteral("▼观察表 a=%1").arg(support.observedA),
                           Qt::AlignHCenter | Qt::AlignBottom});
  // P as the report writes it.
  picture.caption = QStringLiteral("阴影各表的概率之和即%1。")
                        .arg(QString::fromStdString(PText(support.p, PSource::kExact)));
  picture.chart = std::move(chart);
  return picture;
}

}  // namespace sumvane
