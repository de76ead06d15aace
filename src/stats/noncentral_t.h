// The noncentral t distribution, for the intervals of the standardized
// effects: the distribution itself, and the noncentrality parameters that put
// an observed t at its 97.5th and 2.5th percentiles.
#pragma once

#include <optional>

#include "stats/report_figures.h"

namespace sumvane {

// T = (Z + δ) / S with Z standard normal and S = √(χ²_ν / ν), so that
// P(T <= t) = E[Φ(tS − δ)]. The expectation is integrated over ln S by
// Gauss–Legendre panels laid over the stretch where Φ(tS − δ) is neither 0 nor
// 1 and S carries weight; beyond that stretch it is a tail of the chi-square
// distribution itself. The work is the same for any t and δ, where the usual
// series grows with δ² (a t of 1000 sums thousands of terms); the figures agree
// with R's pt(t, ν, δ) to about 1e-14 wherever R computes it exactly
// (|δ| <= 37.62; beyond, R itself approximates).
class NoncentralT {
 public:
  // ν >= 1 and finite; any other ν gives a distribution whose Cdf throws.
  explicit NoncentralT(double degrees);
  // P(T <= t); throws std::domain_error when ν is not usable.
  double Cdf(double t, double delta) const;

 private:
  double degrees_;
  // The stretch of S outside which either tail holds less than 1e-20.
  double lowestS_ = 0.0;
  double highestS_ = 0.0;
};

// (δL, δU): under the noncentral t with δL the observed t is the 97.5th
// percentile, under δU the 2.5th. Empty when ν < 1, a figure is not finite, or
// a root is not found.
std::optional<Interval> NoncentralityInterval(double t, double degrees);

}  // namespace sumvane
