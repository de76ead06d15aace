#include "stats/paired_effects.h"

#include <boost/math/special_functions/beta.hpp>
#include <cmath>
#include <stdexcept>

#include "stats/arithmetic.h"

namespace sumvane {
namespace {

constexpr double kTail = 0.025;

// The beta quantile x of probability p with 1 − x beside it: 1 − x of a limit
// near 1 keeps its digits, which the odds x / (1 − x) need.
struct Quantile {
  double x;
  double complement;
};

std::optional<Quantile> BetaQuantile(double alpha, double beta, double p) {
  try {
    Quantile q{};
    q.x = boost::math::ibeta_inv(alpha, beta, p, &q.complement);
    if (!std::isfinite(q.x) || !std::isfinite(q.complement)) return std::nullopt;
    return q;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

MatchedOddsRatio MatchedOddsRatioOf(int b, int c) {
  MatchedOddsRatio result;
  if (b < 0 || c < 0) {
    result.gap = PairedGap::kNegativeCount;
    return result;
  }
  if (b == 0 && c == 0) {
    result.gap = PairedGap::kNoDiscordantPairs;
    return result;
  }
  // Clopper–Pearson: pL = B⁻¹(0.025; b, c + 1) and pU = B⁻¹(0.975; b + 1, c),
  // with pL = 0 at b = 0 and pU = 1 at c = 0.
  Interval proportion{0.0, 1.0};
  if (b > 0) {
    const std::optional<Quantile> low = BetaQuantile(b, c + 1.0, kTail);
    if (!low) return {PairedGap::kOutOfRange, {}, false, {}, {}};
    proportion.lower = low->x;
    result.interval.lower = low->x / low->complement;
  }
  if (c > 0) {
    const std::optional<Quantile> high = BetaQuantile(b + 1.0, c, 1.0 - kTail);
    if (!high) return {PairedGap::kOutOfRange, {}, false, {}, {}};
    proportion.upper = high->x;
    result.interval.upper = high->x / high->complement;
    result.estimate = static_cast<double>(b) / c;
  } else {
    result.estimateInfinite = result.interval.upperInfinite = true;
  }
  result.proportion = proportion;
  return result;
}

PairedRateDifference PairedRateDifferenceOf(double a, double b, double c, double d) {
  PairedRateDifference result;
  for (const double count : {a, b, c, d}) {
    if (!std::isfinite(count) || count < 0.0) {
      result.gap = PairedGap::kNegativeCount;
      return result;
    }
  }
  const double n = a + b + c + d;
  if (n == 0.0) {
    result.gap = PairedGap::kNoPairs;
    return result;
  }
  result.firstRate = Divide(a + b, n);
  result.secondRate = Divide(a + c, n);
  result.difference = Divide(b - c, n);
  if (b + c == 0.0) {
    result.gap = PairedGap::kNoDiscordantPairs;
    return result;
  }
  // (b + c) − (b − c)²/n = ((b + c)·n − (b − c)²)/n, never below 0 in exact
  // arithmetic since |b − c| <= b + c <= n.
  const double spread = std::fmax(0.0, (b + c) - (b - c) * (b - c) / n);
  if (spread == 0.0) {
    result.gap = PairedGap::kNoSpread;
    return result;
  }
  result.standardError = Divide(std::sqrt(spread), n);
  if (result.difference && result.standardError) {
    const double reach = NormalQuantile975() * *result.standardError;
    result.interval = Interval{*result.difference - reach, *result.difference + reach};
  }
  return result;
}

}  // namespace sumvane
