// The figures of MeanAndSd, FittedLine and PairMoments from doubles, for a list holding a
// value without an exact form. Two passes in long double (64-bit mantissa, and
// an exponent range in which the square of any double and the sums of a full
// list of them stay finite), each sum compensated for its rounding errors.
#pragma once

#include <span>

#include "stats/moments.h"

namespace sumvane {

MeanAndSd ExtendedMeanAndSd(std::span<const Observation> values);
MeanAndSd ExtendedDifferences(std::span<const Observation> x, std::span<const Observation> y);
FittedLine ExtendedLine(std::span<const Observation> x, std::span<const Observation> y);
PairMoments ExtendedPairMoments(std::span<const Observation> x, std::span<const Observation> y);

}  // namespace sumvane
