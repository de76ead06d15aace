// A forest picture of effects that share a scale: each effect a point with
// its 95% interval as a bar, one row each, and the dashed line of no effect.
// An interval that crosses the line is one the data do not tell from no
// effect.
//
// Series object names: "forest_interval" (a row's bar), "forest_estimate"
// (the points) and "no_effect".
#pragma once

#include "pictures/picture.h"
#include "stats/picture_facts.h"

namespace sumvane {

Picture ForestPicture(const ForestFacts& facts);

}  // namespace sumvane
