// How large a difference of means is: the difference with its 95 % interval,
// and the standardized difference, Cohen's d and Hedges' g, with intervals
// from the noncentral t distribution. From summary figures alone, so a typed
// mean, standard deviation and size serve as well as the list's.
#pragma once

#include <optional>

#include "stats/report_figures.h"

namespace sumvane {

enum class StandardizedGap {
  kNone,
  // A figure that is not finite, a standard deviation below 0 or a size
  // below 1: nothing is formed.
  kInvalidFigures,
  // No degrees of freedom: a group of one in each group, or a single pair.
  kTooFewDegrees,
  // Welch's interval: a group of one has no variance of its own.
  kGroupOfOne,
  // A standard deviation of 0: the difference has nothing to be measured in.
  kNoSpread,
  // Hedges' g: with ν = 1 the exact J is 0, so g says nothing; it needs ν > 1.
  kOneDegreeOfFreedom,
  // The noncentral t distribution did not give the interval.
  kNoRoot,
};

// Two independent groups. d = (X̄1 − X̄2)/S_c with the pooled S_c; its
// interval is (δL, δU) · √(1/n1 + 1/n2), where δL and δU put the pooled t at
// the 97.5th and 2.5th percentiles of the noncentral t with ν = n1 + n2 − 2.
// g = J · d with the exact J = Γ(ν/2) / (√(ν/2) · Γ((ν − 1)/2)), and its
// interval is J times that of d.
struct TwoSampleEffects {
  // Why d, its interval or the pooled interval is missing.
  StandardizedGap gap = StandardizedGap::kNone;
  std::optional<double> difference;
  // As t.test(var.equal = TRUE).
  std::optional<Interval> pooledInterval;
  StandardizedGap welchGap = StandardizedGap::kNone;
  // As t.test(var.equal = FALSE).
  std::optional<Interval> welchInterval;
  std::optional<double> pooledSd;
  std::optional<double> degrees;
  std::optional<double> t;
  std::optional<double> d;
  // (δL, δU), for the working.
  std::optional<Interval> noncentrality;
  std::optional<Interval> dInterval;
  StandardizedGap gGap = StandardizedGap::kNone;
  std::optional<double> correction;  // J
  std::optional<double> g;
  std::optional<Interval> gInterval;
};

TwoSampleEffects TwoSampleEffectsOf(const GroupStatistics& first, const GroupStatistics& second);

// Paired differences: d̄ with its interval as t.test(paired = TRUE), and
// d = d̄ / S_d, whose interval is (δL, δU) / √n for the paired t = d̄ √n / S_d
// with ν = n − 1.
struct PairedEffects {
  StandardizedGap gap = StandardizedGap::kNone;
  std::optional<double> meanDifference;
  std::optional<Interval> interval;
  std::optional<double> degrees;
  std::optional<double> t;
  std::optional<double> d;
  std::optional<Interval> noncentrality;
  std::optional<Interval> dInterval;
};

PairedEffects PairedEffectsOf(double n, double meanDifference, double sdDifference);

// The exact J of Hedges' g for ν degrees of freedom; empty unless ν > 1.
std::optional<double> HedgesCorrection(double degrees);

}  // namespace sumvane
