#include "stats/variance_checks.h"

#include <algorithm>
#include <boost/math/distributions/fisher_f.hpp>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace sumvane {
namespace {

struct Distances {
  double mean = 0.0;
  double squares = 0.0;  // Σ(z - mean)²
};

// The distances z = |x - median| of one group, times `scale` (a power of
// two): their mean and the sum of their squared deviations from it, in two
// passes for the digits.
Distances DistancesFrom(std::span<const double> values, double median, double scale) {
  const double centre = median * scale;
  const auto distance = [&](double v) { return std::fabs(v * scale - centre); };
  Distances d;
  for (const double v : values) d.mean += distance(v);
  d.mean /= static_cast<double>(values.size());
  for (const double v : values) {
    const double deviation = distance(v) - d.mean;
    d.squares += deviation * deviation;
  }
  return d;
}

// A power of two that brings the largest value near 1, where no square of a
// distance overflows or vanishes; 1 for values in the usual range, which
// need none. Held within 2^±1000, which the double range holds and which
// suffices for either end of it.
double ScaleFor(double largest) {
  int exponent = 0;
  std::frexp(largest, &exponent);
  if (std::abs(exponent) < 500) return 1.0;
  return std::ldexp(1.0, std::clamp(-exponent, -1000, 1000));
}

std::optional<double> UpperFP(double f, double df1, double df2) {
  try {
    namespace bm = boost::math;
    const double p = bm::cdf(bm::complement(bm::fisher_f_distribution<double>(df1, df2), f));
    if (!std::isfinite(p)) return std::nullopt;
    return std::clamp(p, 0.0, 1.0);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

LeveneTest BrownForsytheLevene(const SortedSample& group1, const SortedSample& group2) {
  LeveneTest test;
  if (!group1.Finite() || !group2.Finite()) {
    test.failure = NoFigure::kValueNotFinite;
    return test;
  }
  const auto n1 = static_cast<double>(group1.Size());
  const auto n2 = static_cast<double>(group2.Size());
  if (n1 < 1.0 || n2 < 1.0 || n1 + n2 < 3.0) {
    test.failure = NoFigure::kTooFewValues;
    return test;
  }
  test.median1 = group1.Median();
  test.median2 = group2.Median();
  // Each distance carries a rounding error of a few units in the last place
  // of the largest value; spread within the groups no larger than that is
  // none, and an F formed over it would be noise.
  const double largest =
      std::max({std::fabs(group1.Values().front()), std::fabs(group1.Values().back()),
                std::fabs(group2.Values().front()), std::fabs(group2.Values().back())});
  const double scale = ScaleFor(largest);
  const Distances first = DistancesFrom(group1.Values(), *test.median1, scale);
  const Distances second = DistancesFrom(group2.Values(), *test.median2, scale);
  test.meanDistance1 = first.mean / scale;
  test.meanDistance2 = second.mean / scale;
  const double noise = 4.0 * std::numeric_limits<double>::epsilon() * largest * scale;
  const double within = first.squares + second.squares;
  if (!(within > (n1 + n2) * noise * noise)) {
    test.failure = NoFigure::kAllValuesEqual;
    return test;
  }
  // Two groups: the between-groups sum of squares is n1·n2/N·(z̄1 - z̄2)².
  const double gap = first.mean - second.mean;
  const double between = n1 * n2 / (n1 + n2) * gap * gap;
  test.df1 = 1.0;
  test.df2 = n1 + n2 - 2.0;
  test.f = between / (within / *test.df2);
  test.p = UpperFP(*test.f, *test.df1, *test.df2);
  return test;
}

LeveneTest BrownForsytheLevene(std::span<const double> group1, std::span<const double> group2) {
  return BrownForsytheLevene(SortedSample(group1), SortedSample(group2));
}

}  // namespace sumvane
