#include "stats/qq_facts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "stats/arithmetic.h"
#include "stats/normality.h"

namespace sumvane {
namespace {

// R's ppoints(n): (i - a)/(n + 1 - 2a) for i = 1..n, a = 3/8 up to ten values
// and 1/2 beyond.
struct PlottingPositions {
  explicit PlottingPositions(std::size_t n)
      : offset(n <= 10 ? 0.375 : 0.5), denominator(static_cast<double>(n) + 1.0 - 2.0 * offset) {}
  // Of the value at 0-based index i.
  double operator()(std::size_t i) const {
    return (static_cast<double>(i) + 1.0 - offset) / denominator;
  }
  // The first index whose position reaches the probability.
  std::size_t FirstReaching(double probability, std::size_t n) const {
    const double index = std::ceil(probability * denominator + offset - 1.0);
    return static_cast<std::size_t>(std::clamp(index, 0.0, static_cast<double>(n)));
  }
  double offset;
  double denominator;
};

// The indices drawn from a large sample: the first of each run of points in
// one grid cell, and the last point. Quantiles and values both ascend, so the
// cells visited form a staircase of at most 2 · cells - 1 steps. The column of
// a point comes from the probabilities of the column edges, so the quantile
// is only computed for the points kept.
std::vector<std::size_t> ThinnedIndices(std::span<const double> x, const PlottingPositions& at,
                                        double lowest, double highest) {
  const std::size_t n = x.size();
  std::vector<std::size_t> columnStart;
  for (int column = 1; column < kQqGridCells; ++column) {
    const double edge = lowest + (highest - lowest) * column / kQqGridCells;
    const double probability = 0.5 * std::erfc(-edge / std::numbers::sqrt2);
    columnStart.push_back(at.FirstReaching(probability, n));
  }
  // Halves, so that the span of values cannot overflow.
  const double low = x.front() / 2.0;
  const double span = x.back() / 2.0 - low;
  std::vector<std::size_t> kept;
  std::size_t column = 0;
  std::size_t lastColumn = 0;
  int lastRow = -1;
  for (std::size_t i = 0; i < n; ++i) {
    while (column < columnStart.size() && i >= columnStart[column]) ++column;
    int row = 0;
    if (span > 0.0) {
      row = std::min(kQqGridCells - 1, static_cast<int>((x[i] / 2.0 - low) / span * kQqGridCells));
    }
    if (row != lastRow || column != lastColumn || i + 1 == n) {
      kept.push_back(i);
      lastRow = row;
      lastColumn = column;
    }
  }
  return kept;
}

}  // namespace

QqFacts NormalQqFacts(const SortedSample& sample) {
  QqFacts facts;
  facts.n = sample.Size();
  if (!sample.Finite()) {
    facts.failure = NoFigure::kValueNotFinite;
    return facts;
  }
  if (facts.n == 0) {
    facts.failure = NoFigure::kTooFewValues;
    return facts;
  }
  const std::span<const double> x = sample.Values();
  const double lowerQuartile = *sample.Quantile(0.25);
  const double normalLowerQuartile = *NormalQuantile(0.25);
  facts.slope = Divide(Subtract(sample.Quantile(0.75), lowerQuartile),
                       Subtract(NormalQuantile(0.75), normalLowerQuartile));
  facts.intercept = Subtract(lowerQuartile, Multiply(facts.slope, normalLowerQuartile));
  if (!facts.intercept) facts.slope.reset();

  const PlottingPositions at(facts.n);
  if (facts.n <= kQqAllPointsLimit) {
    facts.points.reserve(facts.n);
    for (std::size_t i = 0; i < facts.n; ++i)
      facts.points.push_back({*NormalQuantile(at(i)), x[i]});
    return facts;
  }
  facts.thinned = true;
  const std::vector<std::size_t> kept =
      ThinnedIndices(x, at, *NormalQuantile(at(0)), *NormalQuantile(at(facts.n - 1)));
  facts.points.reserve(kept.size());
  for (const std::size_t i : kept) facts.points.push_back({*NormalQuantile(at(i)), x[i]});
  return facts;
}

QqFacts NormalQqFacts(std::span<const double> values) {
  return NormalQqFacts(SortedSample(values));
}

}  // namespace sumvane
