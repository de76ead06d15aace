// The figures of the analyses formed from the observations of the list: the
// mean and standard deviation of a group or of the pair differences, and the
// correlation and regression line of pairs. When every observation has an
// exact form, the sums are exact and each figure is rounded once, to the
// nearest double; otherwise the doubles are summed in extended precision.
#pragma once

#include <optional>
#include <span>

#include "stats/observation.h"

namespace sumvane {

// A figure that cannot be formed is empty: the mean of no values, the
// standard deviation (divisor n - 1) of fewer than two, or a figure beyond the
// double range or from an infinite value.
struct MeanAndSd {
  std::optional<double> mean;
  std::optional<double> sd;
};

// y = intercept + slope · x, least squares. The slope and intercept are empty
// when all x are equal; r also when all y are equal.
struct FittedLine {
  std::optional<double> r;
  std::optional<double> slope;
  std::optional<double> intercept;
};

MeanAndSd DescribeValues(std::span<const Observation> values);
// The differences x - y, pair by pair; empty when the columns differ in length.
MeanAndSd DescribeDifferences(std::span<const Observation> x, std::span<const Observation> y);
// Empty when the columns differ in length.
FittedLine FitLine(std::span<const Observation> x, std::span<const Observation> y);

}  // namespace sumvane
