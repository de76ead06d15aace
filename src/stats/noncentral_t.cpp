#include "stats/noncentral_t.h"

#include <algorithm>
#include <boost/math/quadrature/gauss.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <stdexcept>

#include "stats/root_finding.h"

namespace sumvane {
namespace {

// Double precision throughout: the chi-square functions are accurate to a few
// units in the last place without the library's long-double detour, which
// would cost several times as much at every node.
using Policy = boost::math::policies::policy<boost::math::policies::promote_double<false>>;

constexpr double kNegligibleTail = 1e-20;
// Φ(x) differs from 0 or 1 by less than 1e-17 beyond |x| = 8.5.
constexpr double kStepReach = 8.5;
// Panels two of the integrand's narrowest features wide, twenty nodes each,
// at most this many of them.
constexpr double kPanelFeatures = 2.0;
constexpr int kMostPanels = 400;

double NormalCdf(double x) { return 0.5 * std::erfc(-x / std::sqrt(2.0)); }

bool Usable(double degrees) { return std::isfinite(degrees) && degrees >= 1.0; }

}  // namespace

NoncentralT::NoncentralT(double degrees) : degrees_(degrees) {
  if (!Usable(degrees)) return;
  const double half = degrees / 2.0;
  lowestS_ = std::sqrt(boost::math::gamma_p_inv(half, kNegligibleTail, Policy()) / half);
  highestS_ = std::sqrt(boost::math::gamma_q_inv(half, kNegligibleTail, Policy()) / half);
}

double NoncentralT::Cdf(double t, double delta) const {
  if (!Usable(degrees_) || !std::isfinite(t) || !std::isfinite(delta)) {
    throw std::domain_error("noncentral t outside its domain");
  }
  if (t == 0.0) return NormalCdf(-delta);
  const double half = degrees_ / 2.0;
  // P(S <= s) = P(χ² <= ν s²), and its complement.
  const auto below = [&](double s) {
    if (s <= lowestS_) return 0.0;
    if (s >= highestS_) return 1.0;
    return boost::math::gamma_p(half, half * s * s, Policy());
  };
  const auto above = [&](double s) {
    if (s <= lowestS_) return 1.0;
    if (s >= highestS_) return 0.0;
    return boost::math::gamma_q(half, half * s * s, Policy());
  };
  // Φ(tS − δ) steps from 0 to 1 (t > 0) or from 1 to 0 (t < 0) around
  // S = δ / t, within kStepReach / |t| of it.
  const double step = delta / t;
  const double reach = kStepReach / std::fabs(t);
  const double first = step - reach;
  const double last = step + reach;
  const double tail = t > 0.0 ? above(last) : below(first);
  const double from = first <= lowestS_ ? std::log(lowestS_) : std::log(std::min(first, highestS_));
  const double to = last >= highestS_ ? std::log(highestS_) : std::log(std::max(last, lowestS_));
  if (!(from < to)) return tail;
  // Over y = ln s the density of S, times ds/dy = s, is
  // ν s² · γ'(ν/2, ν s²/2), smooth at s → 0 for every ν.
  const auto integrand = [&](double y) {
    const double s = std::exp(y);
    return NormalCdf(t * s - delta) * degrees_ * s * s *
           boost::math::gamma_p_derivative(half, half * s * s, Policy());
  };
  // The narrowest features over y: the step, 1/|δ| wide at S = δ/t, and the
  // peak of S, about 1/√(2ν).
  const double stepWidth = delta != 0.0 ? 1.0 / std::fabs(delta) : HUGE_VAL;
  const double feature = std::min(stepWidth, 1.0 / std::sqrt(2.0 * degrees_));
  const int panels = static_cast<int>(
      std::clamp(std::ceil((to - from) / (kPanelFeatures * feature)), 1.0, double{kMostPanels}));
  const double width = (to - from) / panels;
  double middle = 0.0;
  for (int i = 0; i < panels; ++i) {
    middle += boost::math::quadrature::gauss<double, 20>::integrate(integrand, from + i * width,
                                                                    from + (i + 1) * width);
  }
  return std::clamp(middle + tail, 0.0, 1.0);
}

std::optional<Interval> NoncentralityInterval(double t, double degrees) {
  if (!Usable(degrees) || !std::isfinite(t)) return std::nullopt;
  try {
    const NoncentralT distribution(degrees);
    // The spread of T about δ = t: the search's steps, from two of them on.
    const double unit = std::sqrt(1.0 + t * t / (2.0 * degrees));
    const double atT = distribution.Cdf(t, t);
    // The δ at which P(T <= t) = p: P falls as δ grows, so p − P rises.
    const auto solve = [&](double p) -> std::optional<double> {
      const auto excess = [&](double delta) { return p - distribution.Cdf(t, delta); };
      double near = t;
      double fNear = p - atT;
      if (fNear == 0.0) return near;
      const double direction = fNear > 0.0 ? -1.0 : 1.0;
      // P moves from near 0 to near 1 within a few units of t for any ν.
      for (double reach = 2.0 * unit; reach < 0x1p40 * unit; reach *= 2.0) {
        const double far = t + direction * reach;
        const double fFar = excess(far);
        if (fFar == 0.0) return far;
        if ((fFar > 0.0) != (fNear > 0.0)) {
          return direction > 0.0 ? RootBetween(excess, near, far, fNear, fFar)
                                 : RootBetween(excess, far, near, fFar, fNear);
        }
        near = far;
        fNear = fFar;
      }
      return std::nullopt;
    };
    const std::optional<double> lower = solve(0.975);
    const std::optional<double> upper = solve(0.025);
    if (!lower || !upper) return std::nullopt;
    return Interval{*lower, *upper};
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace sumvane
