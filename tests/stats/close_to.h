// Closeness of a computed figure to one R printed, relative to its size.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "stats/report_figures.h"

namespace sumvane {

inline constexpr double kRTolerance = 1e-9;

inline void ExpectNear(const std::optional<double>& actual, double expected,
                       double tolerance = kRTolerance) {
  ASSERT_TRUE(actual.has_value()) << "expected " << expected;
  EXPECT_NEAR(*actual, expected, tolerance * std::fabs(expected)) << "expected " << expected;
}

inline void ExpectInterval(const std::optional<Interval>& actual, double lower, double upper,
                           double tolerance = kRTolerance) {
  ASSERT_TRUE(actual.has_value()) << "expected (" << lower << ", " << upper << ")";
  ExpectNear(actual->lower, lower, tolerance);
  ExpectNear(actual->upper, upper, tolerance);
}

}  // namespace sumvane
