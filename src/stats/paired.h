// The paired t-test of measurement data: the figures of the pair differences and
// the live calculation of the panel from its box texts.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "stats/observation.h"

namespace sumvane {

// The standard error Sd / sqrt(N) of the mean difference, in full; empty when N
// is below 2, where no t can be formed, or the quotient cannot be formed.
std::string PairedStandardError(std::string_view nText, std::string_view sdText);

// |d| over the standard error as its (cut) box text holds it; empty when that
// text reads 0 or the quotient overflows. t is never shown with a sign.
std::string PairedT(std::string_view dText, std::string_view seText);

struct PairedSummary {
  std::string n;
  std::string meanDifference;
  std::string sdDifference;
};

// The figures of the differences x - y, pair by pair, each rounded once from
// the exact sums of the pairs (moments.h); Sd uses divisor n - 1. A figure that
// cannot be formed (no pair for the mean, fewer than two for Sd) is empty; so
// are all three when the two groups differ in length.
PairedSummary SummarisePairs(std::span<const Observation> x, std::span<const Observation> y);

}  // namespace sumvane
