#include "stats/standardized_effects.h"

#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <initializer_list>
#include <stdexcept>

#include "stats/arithmetic.h"
#include "stats/noncentral_t.h"

namespace sumvane {
namespace {

bool AllFinite(std::initializer_list<double> values) {
  for (const double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

bool Usable(const GroupStatistics& g) {
  return AllFinite({g.mean, g.sd, g.n}) && g.sd >= 0.0 && g.n >= 1.0;
}

std::optional<Interval> Scaled(const std::optional<Interval>& interval, double factor) {
  if (!interval) return std::nullopt;
  const Interval scaled{interval->lower * factor, interval->upper * factor};
  if (!AllFinite({scaled.lower, scaled.upper})) return std::nullopt;
  return scaled;
}

// d, (δL, δU) and d's interval from the t that d times `tPerD` makes.
template <typename Effects>
void Standardize(Effects& effects, double difference, double sd, double tPerD) {
  effects.d = Divide(difference, sd);
  effects.t = Multiply(effects.d, tPerD);
  if (!effects.d || !effects.t) {
    effects.gap = StandardizedGap::kNoSpread;
    return;
  }
  effects.noncentrality = NoncentralityInterval(*effects.t, *effects.degrees);
  effects.dInterval = Scaled(effects.noncentrality, 1.0 / tPerD);
  if (!effects.dInterval) effects.gap = StandardizedGap::kNoRoot;
}

}  // namespace

std::optional<double> HedgesCorrection(double degrees) {
  if (!std::isfinite(degrees) || degrees <= 1.0) return std::nullopt;
  try {
    const double half = degrees / 2.0;
    return Finite(boost::math::tgamma_ratio(half, half - 0.5) / std::sqrt(half));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

TwoSampleEffects TwoSampleEffectsOf(const GroupStatistics& first, const GroupStatistics& second) {
  TwoSampleEffects effects;
  if (!Usable(first) || !Usable(second)) {
    effects.gap = effects.welchGap = effects.gGap = StandardizedGap::kInvalidFigures;
    return effects;
  }
  effects.difference = Subtract(first.mean, second.mean);
  effects.welchInterval = WelchDifferenceInterval(first, second);
  if (!effects.welchInterval) {
    effects.welchGap =
        first.n < 2.0 || second.n < 2.0 ? StandardizedGap::kGroupOfOne : StandardizedGap::kNoSpread;
  }
  const double degrees = first.n + second.n - 2.0;
  if (degrees < 1.0) {
    effects.gap = effects.gGap = StandardizedGap::kTooFewDegrees;
    return effects;
  }
  effects.degrees = degrees;
  effects.pooledInterval = PooledDifferenceInterval(first, second);
  effects.pooledSd = SquareRoot(
      ((first.n - 1.0) * first.sd * first.sd + (second.n - 1.0) * second.sd * second.sd) / degrees);
  const double tPerD = 1.0 / std::sqrt(1.0 / first.n + 1.0 / second.n);
  if (!effects.difference || !effects.pooledSd || *effects.pooledSd == 0.0) {
    effects.gap = effects.gGap = StandardizedGap::kNoSpread;
    return effects;
  }
  Standardize(effects, *effects.difference, *effects.pooledSd, tPerD);
  effects.correction = HedgesCorrection(degrees);
  if (!effects.correction) {
    effects.gGap = StandardizedGap::kOneDegreeOfFreedom;
  } else if (effects.gap != StandardizedGap::kNone) {
    effects.gGap = effects.gap;
  } else {
    effects.g = Multiply(effects.correction, effects.d);
    effects.gInterval = Scaled(effects.dInterval, *effects.correction);
  }
  return effects;
}

PairedEffects PairedEffectsOf(double n, double meanDifference, double sdDifference) {
  PairedEffects effects;
  if (!AllFinite({n, meanDifference, sdDifference}) || sdDifference < 0.0 || n < 1.0) {
    effects.gap = StandardizedGap::kInvalidFigures;
    return effects;
  }
  effects.meanDifference = meanDifference;
  if (n < 2.0) {
    effects.gap = StandardizedGap::kTooFewDegrees;
    return effects;
  }
  effects.degrees = n - 1.0;
  if (sdDifference == 0.0) {
    effects.gap = StandardizedGap::kNoSpread;
    return effects;
  }
  effects.interval = PairedDifferenceInterval(meanDifference, sdDifference, n);
  Standardize(effects, meanDifference, sdDifference, std::sqrt(n));
  return effects;
}

}  // namespace sumvane
