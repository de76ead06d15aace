#include "pictures/text_layout.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QStackedBarSeries>
#include <QXYSeries>
#include <algorithm>

namespace sumvane {
namespace {

// Room left between a text and a line or bar it stands beside, and between a
// text and the point it stands beside.
constexpr double kGap = 1;
constexpr double kOffset = 3;

// Whether two boxes share more than an edge. Unlike QRectF::intersects, a
// box of no width (an upright line) still meets what it passes through.
bool Overlap(const QRectF& a, const QRectF& b) {
  return a.left() < b.right() && b.left() < a.right() && a.top() < b.bottom() &&
         b.top() < a.bottom();
}

void AddLine(QChart& chart, QXYSeries& line, std::vector<QRectF>& boxes) {
  const double half = line.pen().widthF() / 2 + kGap;
  const QList<QPointF> points = line.points();
  for (qsizetype i = 1; i < points.size(); ++i) {
    const QPointF a = chart.mapToPosition(points[i - 1], &line);
    const QPointF b = chart.mapToPosition(points[i], &line);
    boxes.push_back(QRectF(a, b).normalized().adjusted(-half, -half, half, half));
  }
}

// Each bar from the axis to its top: the sum of its sets when stacked, the
// tallest of them otherwise.
void AddBars(QChart& chart, QAbstractBarSeries& bars, std::vector<QRectF>& boxes) {
  const bool stacked = qobject_cast<QStackedBarSeries*>(&bars) != nullptr;
  qsizetype count = 0;
  for (const QBarSet* set : bars.barSets()) count = std::max(count, qsizetype{set->count()});
  const double half = bars.barWidth() / 2;
  for (qsizetype i = 0; i < count; ++i) {
    double top = 0;
    for (const QBarSet* set : bars.barSets()) {
      const double value = i < set->count() ? set->at(i) : 0.0;
      top = stacked ? top + value : std::max(top, value);
    }
    const auto x = static_cast<double>(i);
    const QPointF a = chart.mapToPosition(QPointF(x - half, top), &bars);
    const QPointF b = chart.mapToPosition(QPointF(x + half, 0), &bars);
    boxes.push_back(QRectF(a, b).normalized().adjusted(-kGap, -kGap, kGap, 0));
  }
}

QRectF BoxAt(QPointF at, Qt::Alignment align, QSizeF size) {
  double left = at.x() - size.width() / 2;
  if (align & Qt::AlignLeft) left = at.x() - size.width() - kOffset;
  if (align & Qt::AlignRight) left = at.x() + kOffset;
  double top = at.y() - size.height() - kOffset;
  if (align & Qt::AlignTop) top = at.y() + kOffset;
  if (align & Qt::AlignVCenter) top = at.y() - size.height() / 2;
  return {QPointF(left, top), size};
}

// The box moved inside the plot, then, when `lift`, lifted above whatever it
// covers; false when it still covers something or left the top of the plot.
bool Settle(QRectF& box, const QRectF& plot, const std::vector<QRectF>& taken, bool lift) {
  box.moveLeft(std::clamp(box.left(), plot.left(), plot.right() - box.width()));
  box.moveTop(std::clamp(box.top(), plot.top(), plot.bottom() - box.height()));
  for (;;) {
    const auto covered = std::find_if(taken.begin(), taken.end(),
                                      [&box](const QRectF& t) { return Overlap(box, t); });
    if (covered == taken.end()) return true;
    if (!lift) return false;
    box.moveBottom(covered->top());
    if (box.top() < plot.top()) return false;
  }
}

}  // namespace

TextLayout LayOutTexts(const Picture& picture, const QFontMetricsF& metrics) {
  TextLayout layout;
  QChart& chart = *picture.chart;
  layout.plotArea = chart.plotArea();
  for (QAbstractSeries* series : picture.keepClear) {
    if (auto* line = qobject_cast<QXYSeries*>(series)) AddLine(chart, *line, layout.keptClear);
    if (auto* bars = qobject_cast<QAbstractBarSeries*>(series))
      AddBars(chart, *bars, layout.keptClear);
  }
  std::vector<QRectF> taken = layout.keptClear;
  for (const PlotText& text : picture.texts) {
    // A white ground a pixel wider than the text on each side.
    const QSizeF size(metrics.horizontalAdvance(text.text) + 2, metrics.height());
    // Every place as it stands before any place lifted.
    QRectF placed;
    for (const bool lift : {false, true}) {
      for (const TextPlace& place : text.places) {
        QRectF box = BoxAt(chart.mapToPosition(place.at, text.series), place.align, size);
        if (Settle(box, layout.plotArea, taken, lift)) {
          placed = box;
          break;
        }
      }
      if (!placed.isEmpty()) break;
    }
    layout.boxes.push_back(placed);
    if (!placed.isEmpty()) taken.push_back(placed);
  }
  return layout;
}

}  // namespace sumvane
