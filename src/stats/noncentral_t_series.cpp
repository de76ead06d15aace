#include "stats/noncentral_t_series.h"

#include <algorithm>
#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <limits>
#include <numbers>

namespace sumvane {
namespace {

// Double precision throughout, as in noncentral_t.cpp.
using Policy = boost::math::policies::policy<boost::math::policies::promote_double<false>>;

constexpr double kLargestDegrees = 4e5;
// exp(−δ²/2) underflows past this δ².
constexpr double kLargestLambda = 2.0 * std::numbers::ln2 * 1021.0;
constexpr double kErrorBound = 1e-12;
constexpr int kMostTerms = 1000;

double NormalCdf(double x) { return 0.5 * std::erfc(-x / std::numbers::sqrt2); }

// P(T <= t) for t >= 0.
double UpperHalfCdf(double t, double degrees, double delta) {
  if (degrees > kLargestDegrees || delta * delta > kLargestLambda) {
    const double s = 1.0 / (4.0 * degrees);
    return NormalCdf((t * (1.0 - s) - delta) / std::sqrt(1.0 + t * t * 2.0 * s));
  }
  double sum = 0.0;
  if (t > 0.0) {
    const double lambda = delta * delta;
    const double x = t * t / (t * t + degrees);
    const double oneMinusX = degrees / (t * t + degrees);
    // The Poisson weights of the even and odd terms.
    double p = 0.5 * std::exp(-0.5 * lambda);
    double q = std::sqrt(2.0 / std::numbers::pi) * p * delta;
    // What the weights still to come add up to: ½ − p without cancellation.
    double left = -0.5 * std::expm1(-0.5 * lambda);
    double a = 0.5;
    const double b = 0.5 * degrees;
    const double rxb = std::pow(oneMinusX, b);
    // ln B(½, b) = ln √π + ln[Γ(b)/Γ(b + ½)], the ratio without cancellation.
    const double logBeta = 0.5 * std::log(std::numbers::pi) +
                           std::log(boost::math::tgamma_delta_ratio(b, 0.5, Policy()));
    double xOdd = boost::math::ibeta(a, b, x, Policy());
    double gOdd = 2.0 * rxb * std::exp(a * std::log(x) - logBeta);
    const double bx = b * x;
    double xEven = bx < std::numeric_limits<double>::epsilon() ? bx : 1.0 - rxb;
    double gEven = bx * rxb;
    sum = p * xOdd + q * xEven;
    for (int term = 1; term <= kMostTerms; ++term) {
      a += 1.0;
      xOdd -= gOdd;
      xEven -= gEven;
      gOdd *= x * (a + b - 1.0) / a;
      gEven *= x * (a + b - 0.5) / (a + 0.5);
      p *= lambda / (2.0 * term);
      q *= lambda / (2.0 * term + 1.0);
      sum += p * xOdd + q * xEven;
      left -= p;
      if (left <= 0.0 && term > 1) break;
      if (std::fabs(2.0 * left * (xOdd - gOdd)) < kErrorBound) break;
    }
  }
  return std::min(sum + NormalCdf(-delta), 1.0);
}

}  // namespace

double NoncentralTSeriesCdf(double t, double degrees, double delta) {
  // T <= t is −T >= −t, and −T is noncentral t with −δ.
  if (t < 0.0) return 1.0 - UpperHalfCdf(-t, degrees, -delta);
  return UpperHalfCdf(t, degrees, delta);
}

}  // namespace sumvane
