#include "stats/fourfold_effects.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "stats/arithmetic.h"
#include "stats/effect_interval.h"

namespace sumvane {
namespace {

bool ValidCount(double x) { return std::isfinite(x) && x >= 0.0; }

bool AnyZeroCell(const FourfoldShares& t) {
  return t.a == 0.0 || t.b == 0.0 || t.c == 0.0 || t.d == 0.0;
}

// Why the rows' risks or odds cannot be compared by a ratio, if they cannot.
EffectGap MarginGap(const FourfoldShares& t) {
  if (t.a + t.b == 0.0 || t.c + t.d == 0.0) return EffectGap::kEmptyRow;
  if (t.a + t.c == 0.0 || t.b + t.d == 0.0) return EffectGap::kEmptyColumn;
  return EffectGap::kNone;
}

LogRatioEstimate Refused(EffectGap gap) {
  LogRatioEstimate refused;
  refused.gap = gap;
  return refused;
}

// exp(ln R ± u · SE); every cell is above 0 here, so R is too.
LogRatioEstimate OnLogScale(const Blank& estimate, const Blank& logStandardError) {
  if (!Usable(estimate) || *estimate <= 0.0 || !Usable(logStandardError)) {
    return Refused(EffectGap::kOutOfRange);
  }
  const double centre = std::log(*estimate);
  const double reach = NormalQuantile975() * *logStandardError;
  const Interval interval{std::exp(centre - reach), std::exp(centre + reach)};
  if (!std::isfinite(interval.upper) || interval.lower <= 0.0) {
    return Refused(EffectGap::kOutOfRange);
  }
  return {EffectGap::kNone, estimate, logStandardError, interval};
}

LogRatioEstimate OddsRatio(const FourfoldShares& t) {
  const Blank estimate = Divide(Multiply(t.a, t.d), Multiply(t.b, t.c));
  const Blank se = SquareRoot(1.0 / t.a + 1.0 / t.b + 1.0 / t.c + 1.0 / t.d);
  return OnLogScale(estimate, se);
}

LogRatioEstimate RiskRatio(const FourfoldShares& t) {
  const double n1 = t.a + t.b;
  const double n2 = t.c + t.d;
  const Blank estimate = Divide(Divide(t.a, n1), Divide(t.c, n2));
  const Blank se = SquareRoot(1.0 / t.a - 1.0 / n1 + 1.0 / t.c - 1.0 / n2);
  return OnLogScale(estimate, se);
}

// The 2^30 bound keeps every product of the exact path inside 63 bits.
bool WholeAndSmall(double x) { return x == std::floor(x) && x <= 0x1p30; }

// ⌈1/|RD|⌉ = ⌈n1 · n2 / |ad − bc|⌉. With whole counts it is found in whole
// numbers, since 1/|RD| is often whole (RD = 1/4) and a rounding error of a
// double would then push it up by one. Otherwise the quotient is taken a few
// units in the last place down for the same reason.
std::optional<double> RoundedUpInverse(const FourfoldShares& t, double unrounded) {
  if (WholeAndSmall(t.a) && WholeAndSmall(t.b) && WholeAndSmall(t.c) && WholeAndSmall(t.d)) {
    const auto a = static_cast<std::int64_t>(t.a), b = static_cast<std::int64_t>(t.b);
    const auto c = static_cast<std::int64_t>(t.c), d = static_cast<std::int64_t>(t.d);
    const std::int64_t numerator = (a + b) * (c + d);
    const std::int64_t gap = a * d > b * c ? a * d - b * c : b * c - a * d;
    return static_cast<double>((numerator + gap - 1) / gap);
  }
  return std::ceil(unrounded * (1.0 - 4.0 * std::numeric_limits<double>::epsilon()));
}

NumberNeededToTreat NumberNeeded(const FourfoldShares& t, const RiskDifference& rd) {
  NumberNeededToTreat nnt;
  if (rd.gap != EffectGap::kNone) {
    nnt.gap = rd.gap;
    return nnt;
  }
  if (*rd.difference == 0.0) {
    nnt.gap = EffectGap::kNoDifference;
    return nnt;
  }
  nnt.unrounded = Divide(1.0, Absolute(rd.difference));
  if (!nnt.unrounded) {
    nnt.gap = EffectGap::kOutOfRange;
    return nnt;
  }
  nnt.nnt = RoundedUpInverse(t, *nnt.unrounded);
  const Interval& limits = *rd.newcombe;
  nnt.throughInfinity = limits.lower <= 0.0 && limits.upper >= 0.0;
  if (nnt.throughInfinity) {
    nnt.firstHigherFrom = Divide(1.0, limits.upper);
    nnt.secondHigherFrom = Divide(1.0, Absolute(limits.lower));
  } else {
    const double nearer = std::fmin(std::fabs(limits.lower), std::fabs(limits.upper));
    const double farther = std::fmax(std::fabs(limits.lower), std::fabs(limits.upper));
    nnt.interval = Interval{1.0 / farther, 1.0 / nearer};
  }
  return nnt;
}

RiskDifference RiskDifferenceOf(const FourfoldShares& t) {
  RiskDifference rd;
  const double n1 = t.a + t.b;
  const double n2 = t.c + t.d;
  if (n1 == 0.0 || n2 == 0.0) {
    rd.gap = rd.waldGap = EffectGap::kEmptyRow;
    return rd;
  }
  if (!std::isfinite(n1) || !std::isfinite(n2)) {
    rd.gap = rd.waldGap = EffectGap::kOutOfRange;
    return rd;
  }
  // (ad − bc) / (n1 · n2) rather than p1 − p2: with whole counts every step
  // but the last is exact, so a small RD keeps its digits and equal risks
  // give 0 exactly.
  rd.difference = Divide(Subtract(Multiply(t.a, t.d), Multiply(t.b, t.c)), Multiply(n1, n2));
  if (!rd.difference) {
    rd.gap = rd.waldGap = EffectGap::kOutOfRange;
    return rd;
  }
  const double p1 = t.a / n1;
  const double p2 = t.c / n2;
  rd.firstRisk = p1;
  rd.secondRisk = p2;
  const double se = std::sqrt(p1 * (1.0 - p1) / n1 + p2 * (1.0 - p2) / n2);
  if (se > 0.0) {
    rd.standardError = se;
    const double reach = NormalQuantile975() * se;
    rd.wald = Interval{*rd.difference - reach, *rd.difference + reach};
  } else {
    rd.waldGap = EffectGap::kNoSpread;
  }
  rd.firstWilson = WilsonInterval(t.a, n1);
  rd.secondWilson = WilsonInterval(t.c, n2);
  if (rd.firstWilson && rd.secondWilson) {
    const Interval& w1 = *rd.firstWilson;
    const Interval& w2 = *rd.secondWilson;
    rd.newcombe = Interval{*rd.difference - std::hypot(p1 - w1.lower, w2.upper - p2),
                           *rd.difference + std::hypot(w1.upper - p1, p2 - w2.lower)};
  }
  return rd;
}

}  // namespace

std::optional<Interval> WilsonInterval(double x, double n) {
  if (!std::isfinite(n) || !(n > 0.0) || !(x >= 0.0) || x > n) return std::nullopt;
  const double u = NormalQuantile975();
  const double u2 = u * u;
  const double centre = (x + u2 / 2.0) / (n + u2);
  const double reach = u * std::sqrt(x * (n - x) / n + u2 / 4.0) / (n + u2);
  // At x = 0 and x = n the limit is 0 or 1 exactly, which the formula reaches
  // only up to rounding.
  return Interval{x == 0.0 ? 0.0 : centre - reach, x == n ? 1.0 : centre + reach};
}

FourfoldEffects FourfoldEffectsOf(const FourfoldShares& table) {
  FourfoldEffects effects;
  if (!ValidCount(table.a) || !ValidCount(table.b) || !ValidCount(table.c) ||
      !ValidCount(table.d)) {
    const EffectGap gap = EffectGap::kNegativeCount;
    effects.gap = gap;
    effects.oddsRatio = effects.riskRatio = Refused(gap);
    effects.riskDifference.gap = effects.riskDifference.waldGap = gap;
    effects.numberNeeded.gap = gap;
    return effects;
  }
  if (const EffectGap gap = MarginGap(table); gap != EffectGap::kNone) {
    effects.oddsRatio = effects.riskRatio = Refused(gap);
  } else {
    effects.haldaneAnscombe = AnyZeroCell(table);
    const double add = effects.haldaneAnscombe ? 0.5 : 0.0;
    const FourfoldShares used{table.a + add, table.b + add, table.c + add, table.d + add};
    effects.oddsRatio = OddsRatio(used);
    effects.riskRatio = RiskRatio(used);
  }
  effects.riskDifference = RiskDifferenceOf(table);
  effects.numberNeeded = NumberNeeded(table, effects.riskDifference);
  return effects;
}

}  // namespace sumvane
