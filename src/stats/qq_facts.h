// What the normal Q–Q picture of a sample draws, computed here so that the
// pictures library computes no statistic: the ordered values against the
// normal quantiles of R's qqnorm (ppoints), and the line of R's qqline
// through the quartiles.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "stats/sorted_sample.h"

namespace sumvane {

// Up to this many values every point is drawn. A larger sample is thinned
// for drawing to at most one point per cell of a kQqGridCells × kQqGridCells
// grid over the picture's ranges, the largest value always kept: at most
// 2 · kQqGridCells points (1000), the sparse tails whole and the dense middle
// thinned below what a screen can tell apart. The line uses every value.
inline constexpr std::size_t kQqAllPointsLimit = 1000;
inline constexpr int kQqGridCells = 500;

struct QqPoint {
  double quantile = 0.0;  // the standard normal quantile, horizontal
  double value = 0.0;     // the ordered value, vertical
};

struct QqFacts {
  // kTooFewValues (no value) or kValueNotFinite: no points and no line.
  NoFigure failure = NoFigure::kNone;
  std::size_t n = 0;
  // Ascending in both coordinates.
  std::vector<QqPoint> points;
  bool thinned = false;
  // The line value = intercept + slope · quantile through the quartiles of
  // the values (R's quantile type 7) and of the normal; slope 0 for a constant
  // sample.
  std::optional<double> intercept;
  std::optional<double> slope;
};

QqFacts NormalQqFacts(const SortedSample& sample);
QqFacts NormalQqFacts(std::span<const double> values);

}  // namespace sumvane
