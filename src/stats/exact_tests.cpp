#include "stats/exact_tests.h"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace sumvane {
namespace {

// Outcomes within this factor of the observed probability count as no more
// probable, as R decides it.
constexpr double kRelativeTolerance = 1.0 + 1e-7;

// A table's probability relative to the most probable one is weight * 2^(-512
// * scale). Far tails fall below the double range long before n = 32,767, so
// the weight is brought back up by an exact power of two whenever it gets
// small; no probability is lost to underflow and no rounding is added.
constexpr int kScaleBits = 512;
const double kRescaleBelow = std::ldexp(1.0, -kScaleBits);

struct ScaledWeight {
  double weight;
  int scale;
};

// weight * 2^(-512 * scale) as a double; 0 where that is below the double range.
double Unscaled(double weight, int scale) { return std::ldexp(weight, -kScaleBits * scale); }

struct Margins {
  std::int64_t firstRow, secondRow, firstColumn, n;
  int lowestA, highestA;
};

// The relative probability of each a from lowestA to highestA, found from the
// most probable table outwards by the ratio of neighbouring tables, so the
// weights only ever shrink and no factorial is formed.
std::vector<ScaledWeight> SupportWeights(const Margins& m) {
  const auto mostProbable = static_cast<int>(std::clamp<std::int64_t>(
      (m.firstRow + 1) * (m.firstColumn + 1) / (m.n + 2), m.lowestA, m.highestA));
  std::vector<ScaledWeight> weights(static_cast<std::size_t>(m.highestA - m.lowestA + 1));
  auto at = [&](int a) -> ScaledWeight& {
    return weights[static_cast<std::size_t>(a - m.lowestA)];
  };
  // The cells b, c, d of the table with first cell a.
  auto b = [&](std::int64_t a) { return static_cast<double>(m.firstRow - a); };
  auto c = [&](std::int64_t a) { return static_cast<double>(m.firstColumn - a); };
  auto d = [&](std::int64_t a) { return static_cast<double>(m.secondRow - m.firstColumn + a); };
  auto step = [](ScaledWeight w, double ratio) {
    w.weight *= ratio;
    if (w.weight < kRescaleBelow) {
      w.weight = std::ldexp(w.weight, kScaleBits);
      ++w.scale;
    }
    return w;
  };

  at(mostProbable) = {1.0, 0};
  for (int a = mostProbable; a < m.highestA; ++a) {
    at(a + 1) = step(at(a), b(a) * c(a) / ((a + 1.0) * (d(a) + 1.0)));
  }
  for (int a = mostProbable; a > m.lowestA; --a) {
    at(a - 1) = step(at(a), a * d(a) / ((b(a) + 1.0) * (c(a) + 1.0)));
  }
  return weights;
}

// The sum of all weights on the most probable table's scale; at least 1.
double TotalWeight(const std::vector<ScaledWeight>& weights) {
  double total = 0.0;
  for (const ScaledWeight& w : weights) total += Unscaled(w.weight, w.scale);
  return total;
}

// A weight relative to the observed one; 0 or infinity where the ratio lies
// beyond the double range, which still decides the comparison right.
double Relative(const ScaledWeight& w, const ScaledWeight& observed) {
  return std::ldexp(w.weight / observed.weight, kScaleBits * (observed.scale - w.scale));
}

std::optional<Margins> MarginsOf(const FourfoldCounts& t) {
  if (t.a < 0 || t.b < 0 || t.c < 0 || t.d < 0) return std::nullopt;
  const std::int64_t n = std::int64_t{t.a} + t.b + t.c + t.d;
  if (n > kMaxExactTotal) return std::nullopt;
  Margins m{};
  m.firstRow = std::int64_t{t.a} + t.b;
  m.secondRow = std::int64_t{t.c} + t.d;
  m.firstColumn = std::int64_t{t.a} + t.c;
  m.n = n;
  m.lowestA = static_cast<int>(std::max<std::int64_t>(0, m.firstColumn - m.secondRow));
  m.highestA = static_cast<int>(std::min(m.firstRow, m.firstColumn));
  return m;
}

}  // namespace

std::optional<ExactTestSupport> FisherExactSupport(const FourfoldCounts& counts) {
  const std::optional<Margins> margins = MarginsOf(counts);
  if (!margins) return std::nullopt;
  const std::vector<ScaledWeight> weights = SupportWeights(*margins);
  const ScaledWeight& observed = weights[static_cast<std::size_t>(counts.a - margins->lowestA)];
  const double total = TotalWeight(weights);

  ExactTestSupport support;
  support.lowestA = margins->lowestA;
  support.observedA = counts.a;
  support.probabilities.reserve(weights.size());
  support.counted.reserve(weights.size());
  // The counted weights are summed relative to the observed table, where they
  // are at most about 1, so the sum keeps its digits however small P is.
  double countedRelative = 0.0;
  for (const ScaledWeight& w : weights) {
    support.probabilities.push_back(Unscaled(w.weight / total, w.scale));
    const double relative = Relative(w, observed);
    const bool counted = relative <= kRelativeTolerance;
    support.counted.push_back(counted);
    if (counted) countedRelative += relative;
  }
  const double p = Unscaled(countedRelative * observed.weight / total, observed.scale);
  support.p = std::clamp(p, 0.0, 1.0);
  return support;
}

std::optional<double> FisherExactP(const FourfoldCounts& counts) {
  const std::optional<ExactTestSupport> support = FisherExactSupport(counts);
  if (!support) return std::nullopt;
  return support->p;
}

std::optional<double> PairedBinomialP(int b, int c) {
  if (b < 0 || c < 0) return std::nullopt;
  const double n = static_cast<double>(b) + c;
  if (n == 0.0) return std::nullopt;
  if (b == c) return 1.0;
  // With both kinds equally likely the distribution is symmetric, and R's sum
  // over the outcomes no more probable than the observed one is both tails.
  try {
    namespace bm = boost::math;
    const double tail = bm::cdf(bm::binomial_distribution<double>(n, 0.5), std::min(b, c));
    if (std::isnan(tail)) return std::nullopt;
    return std::clamp(2.0 * tail, 0.0, 1.0);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace sumvane
