// The check of normality: the Shapiro–Wilk test as R's shapiro.test computes
// it, with Royston's approximations to the weights and to the distribution
// of W (Royston 1992; Applied Statistics algorithm AS R94, 1995).
#pragma once

#include <optional>
#include <span>

#include "stats/sorted_sample.h"

namespace sumvane {

// The sizes the approximations are made for.
inline constexpr int kShapiroWilkMinSize = 3;
inline constexpr int kShapiroWilkMaxSize = 5000;

struct ShapiroWilkTest {
  // kTooFewValues (n < 3), kTooManyValues (n > 5000), kAllValuesEqual (every
  // value the same) or kValueNotFinite leave w and p empty.
  NoFigure failure = NoFigure::kNone;
  int n = 0;
  std::optional<double> w;
  // P of W or smaller under normality, as shapiro.test's p.value.
  std::optional<double> p;
};

ShapiroWilkTest ShapiroWilk(const SortedSample& sample);
ShapiroWilkTest ShapiroWilk(std::span<const double> values);

// The standard normal's quantile, R's qnorm(probability); empty outside (0, 1).
std::optional<double> NormalQuantile(double probability);

}  // namespace sumvane
