#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "observations_of.h"
#include "stats/number.h"
#include "stats/regression.h"

namespace sumvane {
namespace {

struct Sums {
  long double n = 0, x = 0, y = 0, xx = 0, yy = 0, xy = 0;
};

// The raw sums in long double, for the textbook formulas on them.
Sums SumsOf(const std::vector<double>& x, const std::vector<double>& y) {
  Sums s;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const long double u = x[i], v = y[i];
    s.n += 1, s.x += u, s.y += v, s.xx += u * u, s.yy += v * v, s.xy += u * v;
  }
  return s;
}

struct Row {
  std::vector<double> x, y;
  const char* n;
  const char* r;
  const char* t;
  const char* equation;
};

TEST(Regression, RTAndEquation) {
  const Row rows[] = {
      {{1, 2, 3, 4, 5},
       {2, 4, 5, 4, 5},
       "5",
       "0.774596669241483",
       "2.12132034355964",
       "Y=2.2 + 0.6X"},
      {{1, 2, 3, 4}, {10, 8, 7, 3}, "4", "-0.964763821237732", "5.18544972870134", "Y=12.5 - 2.2X"},
      {{1, 2, 3}, {0.5, 2, 2.5}, "3", "0.960768922830523", "3.46410161513776", "Y=-0.33333 + 1X"},
      {{10, 20, 30, 40},
       {1.5, 1.7, 2.6, 2.9},
       "4",
       "0.968141155667549",
       "5.46777392767276",
       "Y=0.9 + 0.051X"},
      // A perfect correlation has no t.
      {{1, 2, 3}, {3, 2, 1}, "3", "-1", "", "Y=4 - 1X"},
      // All x equal: no r, so no t, and no slope.
      {{2, 2, 2}, {1, 2, 3}, "3", "", "", ""},
      {{1, 2, 3}, {5, 5, 5}, "3", "", "", "Y=5 + 0X"},
      {{}, {}, "0", "", "", ""},
      {{1, 2, 3}, {1, 2, 3, 4}, "", "", "", ""},
      {{0, 1}, {0, 0.123456789}, "2", "1", "", "Y=0 + 0.123456X"},
      // Coefficients in exponent form keep their exponent.
      {{-1, 1}, {-1.23456789e-5, 1.23456789e-5}, "2", "1", "", "Y=0 + 1.234E-5X"},
      {{-1, 1}, {1.23456789e-5, -1.23456789e-5}, "2", "-1", "", "Y=0 - 1.23E-5X"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.x) + " / " + testing::PrintToString(row.y));
    const RegressionResult result = Regress(ObservationsOf(row.x), ObservationsOf(row.y));
    EXPECT_EQ(result.n, row.n);
    EXPECT_EQ(result.r, row.r);
    EXPECT_EQ(result.equation, row.equation);
    EXPECT_EQ(TOfR(result.r, result.n), row.t);

    const Sums s = SumsOf(row.x, row.y);
    const long double sxx = s.n * s.xx - s.x * s.x, syy = s.n * s.yy - s.y * s.y;
    if (!result.r.empty()) {
      const long double r = (s.n * s.xy - s.x * s.y) / std::sqrt(sxx * syy);
      EXPECT_NEAR(ReadNumber(result.r), r, 1e-14L);
      if (!result.equation.empty()) {
        const long double slope = (s.n * s.xy - s.x * s.y) / sxx;
        const long double intercept = (s.y - slope * s.x) / s.n;
        // The equation's coefficients, read back, are cuts of the exact ones.
        const std::string& eq = result.equation;
        const std::size_t join = eq.find_first_of("+-", 3);
        const long double shownIntercept = ReadNumber(eq.substr(2, join - 2));
        const long double shownSlope = ReadNumber(eq.substr(join + (eq[join] == '+' ? 1 : 0)));
        EXPECT_NEAR(shownIntercept, intercept, 1e-5L * (1 + std::fabs(intercept)));
        EXPECT_NEAR(shownSlope, slope, 1e-2L * std::fabs(slope));
      }
    }
    if (row.t[0] != '\0') {
      const long double r = ReadNumber(result.r);
      const long double t = std::fabs(r) * std::sqrt((s.n - 2) / (1 - r * r));
      EXPECT_NEAR(ReadNumber(TOfR(result.r, result.n)), t, 1e-11L * t);
    }
  }
}

struct TRow {
  const char* r;
  const char* n;
  const char* t;
};

TEST(TOfR, FromTypedRAndN) {
  const TRow rows[] = {
      {"0.5", "5", "1"},
      {"0.8", "11", "4"},
      {"-0.8", "11", "4"},
      {"0", "10", "0"},
      {"1", "5", ""},
      {"-1", "3", ""},
      {"0.5", "2", ""},
      {"0.5", "", ""},
      {"2", "5", ""},
      {"", "0", ""},
      {"", "10", ""},  // no r, though a blank reads as 0
      {" ", "10", ""},
      {"0.5", "4.5", "0.912870929175277"},
      {"0.999", "3", "22.3439057700872"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(std::string("r ") + row.r + " n " + row.n);
    const std::string t = TOfR(row.r, row.n);
    EXPECT_EQ(t, row.t);
    if (!t.empty()) {
      const long double r = ReadNumber(row.r), m = ReadNumber(row.n);
      const long double exact = std::fabs(r) * std::sqrt((m - 2) / (1 - r * r));
      EXPECT_NEAR(ReadNumber(t), exact, 1e-13L * (1 + exact));
    }
  }
}

}  // namespace
}  // namespace sumvane
