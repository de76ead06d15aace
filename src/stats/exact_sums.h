// The sums behind every figure of the analyses, kept exactly. The decimals of a
// column are brought to one power of ten, the lowest among them, so that each
// becomes a whole number and the sums are sums of whole numbers.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "stats/observation.h"
#include "stats/rational_rounding.h"

namespace sumvane {

// Σx = sum · 10^exponent and Σx² = squares · 10^(2 · exponent).
struct ColumnSums {
  std::size_t n = 0;
  int exponent = 0;
  BigInt sum;
  BigInt squares;
};

// Σxy = products · 10^(x.exponent + y.exponent).
struct PairSums {
  ColumnSums x;
  ColumnSums y;
  BigInt products;
};

// Each is empty when a value has no exact form; the pairs also when the two
// columns differ in length.
std::optional<ColumnSums> SumColumn(std::span<const Observation> values);
std::optional<PairSums> SumPairs(std::span<const Observation> x, std::span<const Observation> y);
// The sums of the differences x - y; empty as for the pairs.
std::optional<ColumnSums> SumDifferences(std::span<const Observation> x,
                                         std::span<const Observation> y);

}  // namespace sumvane
