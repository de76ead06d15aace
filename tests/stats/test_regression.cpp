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

constexpr Alpha k5 = Alpha::kFivePercent;

// Figures whole, as the report's intermediate steps would use them.
std::string Whole(const PanelFigure& figure) {
  return figure.Shown(FigureStyle::kDecimal, kWholeFigure);
}
std::string Whole(const std::optional<double>& figure) {
  return FigureText(figure, FigureStyle::kDecimal);
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
      {{1, 2, 3, 4}, {10, 8, 7, 3}, "4", "-0.964763821237732", "5.18544972870135", "Y=12.5 - 2.2X"},
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
      {{}, {}, "", "", "", ""},
      {{1, 2, 3}, {1, 2, 3, 4}, "", "", "", ""},
      {{0, 1}, {0, 0.123456789}, "2", "1", "", "Y=0 + 0.123456X"},
      // Coefficients in exponent form keep their exponent.
      {{-1, 1}, {-1.23456789e-5, 1.23456789e-5}, "2", "1", "", "Y=0 + 1.234E-5X"},
      {{-1, 1}, {1.23456789e-5, -1.23456789e-5}, "2", "-1", "", "Y=0 - 1.23E-5X"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.x) + " / " + testing::PrintToString(row.y));
    const CorrelationResult result =
        AnalyseCorrelation(Regress(ObservationsOf(row.x), ObservationsOf(row.y)), k5);
    EXPECT_EQ(result.shown.n, row.n);
    EXPECT_EQ(Whole(result.inputs.r), row.r);
    EXPECT_EQ(result.shown.equation, row.equation);
    EXPECT_EQ(Whole(result.tOfR), row.t);

    const Sums s = SumsOf(row.x, row.y);
    const long double sxx = s.n * s.xx - s.x * s.x, syy = s.n * s.yy - s.y * s.y;
    if (result.inputs.r.Value()) {
      const long double r = (s.n * s.xy - s.x * s.y) / std::sqrt(sxx * syy);
      EXPECT_NEAR(*result.inputs.r.Value(), r, 1e-14L);
      if (!result.shown.equation.empty()) {
        const long double slope = (s.n * s.xy - s.x * s.y) / sxx;
        const long double intercept = (s.y - slope * s.x) / s.n;
        // The equation's coefficients, read back, are cuts of the exact ones.
        const std::string& eq = result.shown.equation;
        const std::size_t join = eq.find_first_of("+-", 3);
        const long double shownIntercept = ReadNumber(eq.substr(2, join - 2));
        const long double shownSlope = ReadNumber(eq.substr(join + (eq[join] == '+' ? 1 : 0)));
        EXPECT_NEAR(shownIntercept, intercept, 1e-5L * (1 + std::fabs(intercept)));
        EXPECT_NEAR(shownSlope, slope, 1e-2L * std::fabs(slope));
      }
    }
    if (row.t[0] != '\0') {
      const long double r = *result.inputs.r.Value();
      const long double t = std::fabs(r) * std::sqrt((s.n - 2) / (1 - r * r));
      EXPECT_NEAR(*result.tOfR, t, 1e-11L * t);
    }
  }
}

struct TRow {
  const char* r;
  const char* n;
  const char* t;
};

TEST(CorrelationResult, TOfTypedRAndN) {
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
    const CorrelationResult result =
        AnalyseCorrelation({.n = PanelFigure::Typed(row.n), .r = PanelFigure::Typed(row.r)}, k5);
    const std::string t = Whole(result.tOfR);
    EXPECT_EQ(t, row.t);
    if (!t.empty()) {
      const long double r = ReadNumber(row.r), m = ReadNumber(row.n);
      const long double exact = std::fabs(r) * std::sqrt((m - 2) / (1 - r * r));
      EXPECT_NEAR(ReadNumber(t), exact, 1e-13L * (1 + exact));
    }
  }
}

// cor.test(1:5, c(2, 4, 5, 4, 5)): the boxes show r and t cut, P comes from
// the whole t.
TEST(CorrelationResult, AgreesWithR) {
  const std::vector<double> x = {1, 2, 3, 4, 5}, y = {2, 4, 5, 4, 5};
  const CorrelationResult result =
      AnalyseCorrelation(Regress(ObservationsOf(x), ObservationsOf(y)), k5);
  EXPECT_EQ(result.shown.r, "0.77459");
  EXPECT_EQ(result.shown.tOfR, "2.1213");
  EXPECT_NEAR(*result.answer.p, 0.124027062657555, 1e-13);
  EXPECT_EQ(result.answer.verdict, "按α=0.05水准，相关无统计学意义");
  ASSERT_TRUE(result.rhoInterval);
  EXPECT_NEAR(result.rhoInterval->lower, -0.3400820352, 1e-9);
  EXPECT_NEAR(result.rhoInterval->upper, 0.9842357552, 1e-9);
  EXPECT_EQ(result.question.degrees, 3.0);
  struct Reason {
    const char *n, *r, *verdict;
  };
  for (const Reason& c : {Reason{"3", "", "r不能计算"}, Reason{"3", "-1", "完全相关，tr不能计算"},
                          Reason{"2", "0.5", "例数不足"}, Reason{"", "", ""}}) {
    EXPECT_EQ(AnalyseCorrelation({.n = PanelFigure::Typed(c.n), .r = PanelFigure::Typed(c.r)}, k5)
                  .answer.verdict,
              c.verdict);
  }
}

}  // namespace
}  // namespace sumvane
