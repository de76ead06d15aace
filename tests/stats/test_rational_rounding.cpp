#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>

#include "stats/rational_rounding.h"

namespace sumvane {
namespace {

struct Case {
  const char* numerator;
  const char* denominator;
  int powerOfTen;
  std::optional<double> expected;  // the nearest double, from Python's fractions
};

// 2^53 + 1 lies halfway between two doubles; a figure just above or below it
// must fall to the right side, an exact tie to the even one.
TEST(RationalRounding, QuotientIsTheNearestDouble) {
  const Case cases[] = {
      {"9007199254740993", "1", 0, 9007199254740992.0},
      {"9007199254740995", "1", 0, 9007199254740996.0},
      {"9007199254740993000000000000000000000000000001", "1000000000000000000000000000000", 0,
       9007199254740994.0},
      {"9007199254740992999999999999999999999999999999", "1000000000000000000000000000000", 0,
       9007199254740992.0},
      {"12012", "1001", -1, 1.2},
      {"-1", "3", 0, -0.3333333333333333},
      {"5", "-7", -20, -7.142857142857142e-21},
      {"17976931348623157", "1", 292, 1.7976931348623157e+308},
      {"17976931348623159", "1", 292, std::nullopt},
      {"1", "1", 309, std::nullopt},
      {"1", "0", 0, std::nullopt},
      {"0", "7", 5, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.numerator) + " / " + c.denominator);
    EXPECT_EQ(RoundQuotient(BigInt(c.numerator), BigInt(c.denominator), c.powerOfTen), c.expected);
  }
}

TEST(RationalRounding, RootIsTheNearestDouble) {
  const Case cases[] = {
      {"81129638414606699710187514626049", "1", 0, 9007199254740992.0},  // (2^53 + 1)²
      {"81129638414606699710187514626050", "1", 0, 9007199254740994.0},
      {"1", "100", 0, 0.1},
      {"1", "1", -2, 0.1},
      {"2", "1", 600, 1.4142135623730952e+300},
      {"10", "3", -5, 0.005773502691896258},
      {"-4", "-9", 0, 0.6666666666666666},
      {"-1", "1", 0, std::nullopt},
      {"1", "0", 0, std::nullopt},
      {"0", "3", 0, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.numerator) + " / " + c.denominator);
    EXPECT_EQ(RoundRoot(BigInt(c.numerator), BigInt(c.denominator), c.powerOfTen), c.expected);
  }
}

// Whole numbers below 2^53 are doubles exactly, and the machine's division
// and square root round correctly, so they give the nearest double too.
TEST(RationalRounding, AgreesWithTheMachineOnWholeNumbers) {
  const std::int64_t wholes[] = {
      1, 3, 7, 10, 49, 1001, 65537, 999999937, 4503599627370497, -123456789, 9007199254740991};
  for (const std::int64_t a : wholes) {
    const auto x = static_cast<double>(a);
    if (a > 0) {
      EXPECT_EQ(RoundRoot(a, 1, 0), std::sqrt(x)) << a;
    }
    for (const std::int64_t b : wholes) {
      EXPECT_EQ(RoundQuotient(a, b, 0), x / static_cast<double>(b)) << a << " / " << b;
    }
  }
}

}  // namespace
}  // namespace sumvane
