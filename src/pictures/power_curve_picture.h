// The power curve of a sample-size plan: power against n under the textbook's
// formula and, for means, under the noncentral t, with 1 − β and the chosen n
// marked. Drawn from the points the engine computed (stats/sample_size.h).
#pragma once

#include "pictures/picture.h"
#include "stats/sample_size.h"

namespace sumvane {

// `sizeName` says what n counts, as the x axis reads: "每组例数", "n₁", "对子数", "例数".
Picture PowerCurvePicture(const PowerCurve& curve, const QString& sizeName);

}  // namespace sumvane
