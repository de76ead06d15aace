// The one root finder of the effect measures' exact intervals: the parameter
// at which an increasing function of it crosses 0, to the last bits of a
// double. Each caller brackets the root first, with steps suited to its
// parameter.
#pragma once

#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>

namespace sumvane {

// The root of f in [low, high], where f(low) = fLow < 0 < fHigh = f(high).
// The tolerance is absolute near 0 and relative beyond 1, so a root at 0
// (an odds ratio of 1 on the log scale) is found as closely as any other.
template <typename F>
std::optional<double> RootBetween(F f, double low, double high, double fLow, double fHigh) {
  const auto close = [](double x, double y) {
    const double scale = std::fmax(1.0, std::fmax(std::fabs(x), std::fabs(y)));
    return std::fabs(x - y) <= 4.0 * std::numeric_limits<double>::epsilon() * scale;
  };
  try {
    std::uintmax_t iterations = 200;
    const auto ends =
        boost::math::tools::toms748_solve(f, low, high, fLow, fHigh, close, iterations);
    const double root = ends.first + (ends.second - ends.first) / 2.0;
    if (!std::isfinite(root)) return std::nullopt;
    return root;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace sumvane
