// The normal Q–Q picture of a normality check: the ordered values against the
// normal quantiles, with R's qqline through the quartiles. Points near the
// line read as near normal; a bow or tails off the line as skew or heavy
// tails.
//
// Series object names: "qq" (the points, drawn by hand as Picture::dots) and
// "qqline".
#pragma once

#include "pictures/picture.h"
#include "stats/picture_facts.h"

namespace sumvane {

Picture QqPicture(const QqPictureFacts& facts);

}  // namespace sumvane
