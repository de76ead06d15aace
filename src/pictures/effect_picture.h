// The forest picture of a fourfold table's effect measures: each estimate a
// square on the line of its 95 % interval, one row each under its name, and
// the dashed line of no effect across its rows; the ratios (OR, RR) on a log
// scale about 1 along the top, the differences (RD) about 0 along the bottom.
//
// Series object names: "interval" and "estimate" for each row, "noEffect"
// for each line of no effect.
#pragma once

#include "pictures/picture.h"
#include "stats/picture_facts.h"

namespace sumvane {

Picture EffectsPicture(const EffectFacts& facts);

}  // namespace sumvane
