#include "stats/p_values.h"

#include <algorithm>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <stdexcept>

namespace sumvane {
namespace {

// The library reports a failure by throwing; none is expected for the inputs
// let through, but a throw must still become "no value", never a crash.
template <typename Tail>
std::optional<double> Probability(Tail tail) {
  try {
    const double p = tail();
    if (std::isnan(p)) return std::nullopt;
    return std::clamp(p, 0.0, 1.0);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

bool UsableDegrees(double df) { return std::isfinite(df) && df > 0.0; }

}  // namespace

std::optional<double> TwoSidedTP(double t, double df) {
  if (!std::isfinite(t) || !UsableDegrees(df)) return std::nullopt;
  return Probability([&] {
    namespace bm = boost::math;
    return 2.0 * bm::cdf(bm::complement(bm::students_t_distribution<double>(df), std::fabs(t)));
  });
}

std::optional<double> UpperChiSquareP(double x, double df) {
  if (!std::isfinite(x) || !UsableDegrees(df)) return std::nullopt;
  if (x <= 0.0) return 1.0;
  return Probability([&] {
    namespace bm = boost::math;
    return bm::cdf(bm::complement(bm::chi_squared_distribution<double>(df), x));
  });
}

std::optional<double> StudentTQuantile975(double df) {
  if (!UsableDegrees(df)) return std::nullopt;
  try {
    const double t = boost::math::quantile(boost::math::students_t_distribution<double>(df), 0.975);
    if (!std::isfinite(t)) return std::nullopt;
    return t;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<double> TwoSidedNormalP(double z) {
  if (!std::isfinite(z)) return std::nullopt;
  return Probability([&] { return std::erfc(std::fabs(z) / std::sqrt(2.0)); });
}

}  // namespace sumvane
