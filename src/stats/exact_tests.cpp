#include "stats/exact_tests.h"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>
#include <cmath>
#include <cstdint>
#include <limits>
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
constexpr double kScaleUp = 0x1p512;
constexpr double kScaleDown = 0x1p-512;

struct ScaledWeight {
  double weight;
  int scale;
};

// x * 2^(512 * steps), rounded once. Further than two steps down a weight of
// at most 2^512 is far below anything that could change a sum of at least 1,
// and one step further up than one it is far above any ratio compared.
double Rescaled(double x, int steps) {
  switch (steps) {
    case 0:
      return x;
    case 1:
      return x * kScaleUp;
    case -1:
      return x * kScaleDown;
    case -2:
      return x * kScaleDown * kScaleDown;
    default:
      return steps > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
}

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
    if (w.weight < kScaleDown) {
      w.weight *= kScaleUp;
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

// The support's weights with the observed table's weight and their sum on the
// most probable table's scale (at least 1).
struct WeighedSupport {
  std::vector<ScaledWeight> weights;
  ScaledWeight observed;
  double total;
};

WeighedSupport Weigh(const Margins& m, int observedA) {
  WeighedSupport support{SupportWeights(m), {}, 0.0};
  support.observed = support.weights[static_cast<std::size_t>(observedA - m.lowestA)];
  for (const ScaledWeight& w : support.weights) support.total += Rescaled(w.weight, -w.scale);
  return support;
}

// Each weight relative to the observed one, in turn. The counted ones are at
// most about 1, so their sum keeps its digits however small P is.
class RelativeWeights {
 public:
  explicit RelativeWeights(const ScaledWeight& observed)
      : inverse_(1.0 / observed.weight), scale_(observed.scale) {}
  double operator()(const ScaledWeight& w) const {
    return Rescaled(w.weight * inverse_, scale_ - w.scale);
  }

 private:
  double inverse_;
  int scale_;
};

double TwoSidedP(const WeighedSupport& support) {
  const RelativeWeights relative(support.observed);
  double counted = 0.0;
  for (const ScaledWeight& w : support.weights) {
    const double r = relative(w);
    if (r <= kRelativeTolerance) counted += r;
  }
  const double p =
      Rescaled(counted * support.observed.weight / support.total, -support.observed.scale);
  return std::clamp(p, 0.0, 1.0);
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
  const WeighedSupport weighed = Weigh(*margins, counts.a);
  const RelativeWeights relative(weighed.observed);
  ExactTestSupport support;
  support.lowestA = margins->lowestA;
  support.observedA = counts.a;
  support.probabilities.reserve(weighed.weights.size());
  support.counted.reserve(weighed.weights.size());
  for (const ScaledWeight& w : weighed.weights) {
    support.probabilities.push_back(Rescaled(w.weight / weighed.total, -w.scale));
    support.counted.push_back(relative(w) <= kRelativeTolerance);
  }
  support.p = TwoSidedP(weighed);
  return support;
}

std::optional<double> FisherExactP(const FourfoldCounts& counts) {
  const std::optional<Margins> margins = MarginsOf(counts);
  if (!margins) return std::nullopt;
  return TwoSidedP(Weigh(*margins, counts.a));
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
