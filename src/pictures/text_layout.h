// Where the texts of a picture stand once its chart is laid out (see
// PlotText): boxes in the chart's pixels, found before any is drawn.
#pragma once

#include <QFontMetricsF>
#include <QRectF>
#include <vector>

#include "pictures/picture.h"

namespace sumvane {

struct TextLayout {
  std::vector<QRectF> boxes;  // one per text, empty when it was left out
  std::vector<QRectF> keptClear;
  QRectF plotArea;
};

TextLayout LayOutTexts(const Picture& picture, const QFontMetricsF& metrics);

}  // namespace sumvane
