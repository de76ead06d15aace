// PNG bytes of a rendered picture, written for speed: the pictures are
// redrawn while the user pauses typing, and Qt's writer, which tries every
// row filter, takes longer than drawing the chart.
#pragma once

#include <QByteArray>

class QImage;

namespace sumvane {

// The image as an RGB PNG, every row filtered by its left neighbour (which
// suits flat plot colours) and deflated at the fastest level. Empty when the
// image cannot be written.
QByteArray PngBytes(const QImage& image);

}  // namespace sumvane
