#include "stats/sample_size_power.h"

#include <algorithm>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <stdexcept>

#include "stats/noncentral_t_series.h"
#include "stats/normality.h"

namespace sumvane {
namespace {

using Policy = boost::math::policies::policy<boost::math::policies::promote_double<false>>;

constexpr double kWholeTolerance = 1e-9;
// The root of the power in n to about 1e-12 of n: the power itself is good
// to 1e-12, far finer than a size needs.
constexpr int kRootBits = 40;
constexpr std::uintmax_t kMostRootSteps = 100;

bool IsMeans(StudyDesign design) {
  return design == StudyDesign::kTwoMeans || design == StudyDesign::kPairedMeans;
}

double Sides(const SampleSizeInputs& inputs) {
  return inputs.sides == TestSides::kTwoSided ? 2.0 : 1.0;
}

double Quantile(double probability) {
  return NormalQuantile(probability).value_or(std::numeric_limits<double>::quiet_NaN());
}

// The t-test at n1, n2: ν and the noncentrality √(n1·n2/(n1 + n2))·|δ|/σ
// (√n·|δ|/σ_d for pairs).
struct TTest {
  double degrees;
  double noncentrality;
};

TTest TTestAt(const SampleSizeInputs& inputs, double n1, double n2) {
  const double effect = std::fabs(inputs.delta) / inputs.sigma;
  if (inputs.design == StudyDesign::kPairedMeans) return {n1 - 1.0, std::sqrt(n1) * effect};
  return {n1 + n2 - 2.0, effect / std::sqrt(1.0 / n1 + 1.0 / n2)};
}

// The noncentral t's power at whole n1 (n2 from it rounded up) or at any n1
// (n2 = k·n1); NaN where it cannot be formed, which no comparison passes.
double PowerAt(const SampleSizeInputs& inputs, double n1, bool whole) {
  return NoncentralTPower(inputs, n1, SecondGroupSize(inputs, n1, whole))
      .value_or(std::numeric_limits<double>::quiet_NaN());
}

// The whole n1 at least `from` whose power first reaches the target, n2
// rounded up from it; with k ≠ 1 that rounding may let a smaller n1 serve.
std::optional<double> SmallestWholeSize(const SampleSizeInputs& inputs, double from,
                                        double smallest) {
  double whole = from;
  for (int step = 0; !(PowerAt(inputs, whole, true) >= inputs.power); ++step) {
    if (step == 4) return std::nullopt;
    whole += 1.0;
  }
  if (whole <= smallest || !(PowerAt(inputs, whole - 1.0, true) >= inputs.power)) return whole;
  // The power grows with n1: halve [low, high] where low falls short.
  double low = smallest;
  double high = whole - 1.0;
  if (PowerAt(inputs, low, true) >= inputs.power) return low;
  while (high - low > 1.0) {
    const double middle = std::floor((low + high) / 2.0);
    if (PowerAt(inputs, middle, true) >= inputs.power) {
      high = middle;
    } else {
      low = middle;
    }
  }
  return high;
}

// The noncentral t's size: the n1 (not whole) where the power is exactly
// 1 − β, searched from the formula's n, and the smallest whole n1.
SecondSize NoncentralTSize(const SampleSizeInputs& inputs, const FormulaSize& formula) {
  SecondSize second;
  second.method = SecondMethod::kNoncentralT;
  if (formula.n > kLargestExactSize) {
    second.gap = SecondGap::kTooLarge;
    return second;
  }
  const double smallest = SmallestSize(inputs);
  const auto excess = [&](double n1) {
    const double power = PowerAt(inputs, n1, false);
    if (std::isnan(power)) throw std::domain_error("no power");
    return power - inputs.power;
  };
  try {
    double start = smallest;
    const double atSmallest = excess(smallest);
    if (atSmallest < 0.0) {
      // Below lies a size that falls short, above one that reaches 1 − β.
      double low = smallest;
      double fLow = atSmallest;
      double high = std::max(smallest, formula.n);
      double fHigh = high > low ? excess(high) : fLow;
      for (double step = 1.0 + 0.05 * high; fHigh < 0.0; step *= 2.0) {
        if (high > 2.0 * kLargestExactSize) throw std::domain_error("no root");
        low = high;
        fLow = fHigh;
        high += step;
        fHigh = excess(high);
      }
      std::uintmax_t steps = kMostRootSteps;
      const auto ends = boost::math::tools::toms748_solve(
          excess, low, high, fLow, fHigh, boost::math::tools::eps_tolerance<double>(kRootBits),
          steps);
      second.n = ends.first + (ends.second - ends.first) / 2.0;
      start = std::max(smallest, WholeAtLeast(*second.n));
    }
    const std::optional<double> whole = SmallestWholeSize(inputs, start, smallest);
    if (!whole) throw std::domain_error("no whole size");
    second.n1 = *whole;
    second.n2 = SecondGroupSize(inputs, *whole, true);
    second.power = NoncentralTPower(inputs, *second.n1, *second.n2);
  } catch (const std::exception&) {
    second = {SecondMethod::kNoncentralT, SecondGap::kNoRoot, {}, {}, {}, {}};
  }
  return second;
}

}  // namespace

double WholeAtLeast(double x) {
  const double nearest = std::round(x);
  if (std::fabs(x - nearest) <= kWholeTolerance * std::fmax(1.0, std::fabs(x))) return nearest;
  return std::ceil(x);
}

double AlphaQuantile(const SampleSizeInputs& inputs) {
  return -Quantile(inputs.alpha / Sides(inputs));
}

double BetaQuantile(const SampleSizeInputs& inputs) { return Quantile(inputs.power); }

double SecondGroupSize(const SampleSizeInputs& inputs, double n1, bool whole) {
  switch (inputs.design) {
    case StudyDesign::kTwoMeans:
      return whole ? WholeAtLeast(inputs.ratio * n1) : inputs.ratio * n1;
    case StudyDesign::kTwoRates:
      return n1;
    case StudyDesign::kPairedMeans:
    case StudyDesign::kPairedRates:
    case StudyDesign::kCorrelation:
      break;
  }
  return 0.0;
}

double FormulaUBeta(const SampleSizeInputs& inputs, double uAlpha, double n1, double n2) {
  switch (inputs.design) {
    case StudyDesign::kTwoMeans:
      return std::fabs(inputs.delta) / (inputs.sigma * std::sqrt(1.0 / n1 + 1.0 / n2)) - uAlpha;
    case StudyDesign::kPairedMeans:
      return std::fabs(inputs.delta) * std::sqrt(n1) / inputs.sigma - uAlpha;
    case StudyDesign::kTwoRates: {
      const double pooled = (inputs.p1 + inputs.p2) / 2.0;
      const double spread =
          std::sqrt(inputs.p1 * (1.0 - inputs.p1) + inputs.p2 * (1.0 - inputs.p2));
      return (std::sqrt(n1) * std::fabs(inputs.p1 - inputs.p2) -
              uAlpha * std::sqrt(2.0 * pooled * (1.0 - pooled))) /
             spread;
    }
    case StudyDesign::kPairedRates: {
      const double discordant = inputs.p1 + inputs.p2;
      const double difference = inputs.p1 - inputs.p2;
      return (std::sqrt(n1) * std::fabs(difference) - uAlpha * std::sqrt(discordant)) /
             std::sqrt(discordant - difference * difference);
    }
    case StudyDesign::kCorrelation:
      break;
  }
  return std::fabs(std::atanh(inputs.rho)) * std::sqrt(n1 - 3.0) - uAlpha;
}

double StandardNormalCdf(double x) { return 0.5 * std::erfc(-x / std::numbers::sqrt2); }

std::optional<double> NoncentralTPower(const SampleSizeInputs& inputs, double n1, double n2) {
  if (!IsMeans(inputs.design)) return std::nullopt;
  const TTest test = TTestAt(inputs, n1, n2);
  if (!(test.degrees >= 1.0) || !std::isfinite(test.degrees) ||
      !std::isfinite(test.noncentrality)) {
    return std::nullopt;
  }
  try {
    const boost::math::students_t_distribution<double, Policy> t(test.degrees);
    const double critical =
        boost::math::quantile(boost::math::complement(t, inputs.alpha / Sides(inputs)));
    // The tail on the effect's side only, as power.t.test by default and as
    // the formula: the other tail adds at most α/2 and only where the power
    // is too small to plan with.
    // An α so small that no finite t rejects: the test never does.
    if (!std::isfinite(critical)) return 0.0;
    const double power = 1.0 - NoncentralTSeriesCdf(critical, test.degrees, test.noncentrality);
    if (!std::isfinite(power)) return std::nullopt;
    return std::clamp(power, 0.0, 1.0);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

SecondSize SecondSizeOf(const SampleSizeInputs& inputs, const FormulaSize& formula) {
  switch (inputs.design) {
    case StudyDesign::kTwoMeans:
    case StudyDesign::kPairedMeans:
      return NoncentralTSize(inputs, formula);
    case StudyDesign::kTwoRates: {
      // Fleiss, Tytun and Ury (1980), equal groups.
      SecondSize second;
      second.method = SecondMethod::kContinuityCorrection;
      const double n = formula.n;
      const double root = 1.0 + std::sqrt(1.0 + 4.0 / (n * std::fabs(inputs.p1 - inputs.p2)));
      second.n = n / 4.0 * root * root;
      second.n1 = second.n2 = WholeAtLeast(*second.n);
      return second;
    }
    case StudyDesign::kPairedRates:
    case StudyDesign::kCorrelation:
      break;
  }
  SecondSize none;
  none.gap = SecondGap::kNoMethod;
  return none;
}

}  // namespace sumvane
