// Shapiro–Wilk and the Q–Q facts against R 4.2.2. The larger samples come
// from formulas both sides compute to the same doubles: integer arithmetic,
// sqrt and exp, and a 32-bit linear congruential generator summed four at a
// time (near normal).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "stats/normality.h"
#include "stats/qq_facts.h"
#include "stats/sorted_sample.h"

namespace sumvane {
namespace {

void ExpectClose(double actual, double expected, double relative = 1e-8) {
  EXPECT_NEAR(actual, expected, relative * std::fabs(expected));
}

std::vector<double> Formula(int n, double (*term)(double)) {
  std::vector<double> x;
  for (int i = 1; i <= n; ++i) x.push_back(term(i));
  return x;
}

// R: lcg <- function(count) { s <- 12345; u <- numeric(count); for (k in 1:count) {
//      s <- (s * 69069 + 1) %% 4294967296; u[k] <- s / 4294967296 }; u }
//    irwin <- function(n) { u <- lcg(4 * n); u[seq(1, 4 * n, 4)] + u[seq(2, 4 * n, 4)] +
//      u[seq(3, 4 * n, 4)] + u[seq(4, 4 * n, 4)] }
std::vector<double> IrwinHall(int n) {
  std::uint32_t state = 12345;
  const auto next = [&] {
    state = state * 69069u + 1u;
    return state / 4294967296.0;
  };
  std::vector<double> x;
  for (int i = 0; i < n; ++i) {
    double sum = next();
    for (int k = 1; k < 4; ++k) sum += next();
    x.push_back(sum);
  }
  return x;
}

// The one sort every check shares orders values of any sign and size (the
// two zeros are +0 and -0) and ranks them as R's
// rank(c(3.5, -2, 0, 0, 1e-300, -1e300, 7, -2, 3.5, -1e-300)).
TEST(SortedSample, OrdersAndRanksAsR) {
  const std::vector<double> x{3.5, -2, 0.0, -0.0, 1e-300, -1e300, 7, -2, 3.5, -1e-300};
  const SortedSample sample(x);
  EXPECT_EQ(sample.Ranks(), (std::vector<double>{8.5, 2.5, 5.5, 5.5, 7, 1, 10, 2.5, 8.5, 4}));
  EXPECT_EQ(sample.TieSum(), 18);
  std::vector<double> noisy = IrwinHall(5000);
  for (std::size_t i = 0; i < noisy.size(); i += 3) noisy[i] = -noisy[i] * 1e-5;
  const SortedSample large(noisy);
  std::vector<double> sorted = noisy;
  std::sort(sorted.begin(), sorted.end());
  ASSERT_TRUE(
      std::equal(sorted.begin(), sorted.end(), large.Values().begin(), large.Values().end()));
  for (std::size_t k = 0; k < sorted.size(); ++k) {
    ASSERT_EQ(noisy[static_cast<std::size_t>(large.Positions()[k])], sorted[k]);
  }
}

// R: r <- shapiro.test(x); sprintf("%.17g %.17g", r$statistic, r$p.value), with
//    i <- 1:n for the formulas.
TEST(ShapiroWilk, MatchesR) {
  struct Case {
    const char* what;
    std::vector<double> x;
    double w, p;
  };
  const Case cases[] = {
      {"c(1, 2, 4)", {1, 2, 4}, 0.96428571428571419, 0.6368868450289632},
      {"n 4", {2.1, 3.4, 1.9, 5.6}, 0.87603183393998441, 0.32196480117232057},
      {"n 5", {1, 3, 2, 8, 4}, 0.90308993272615223, 0.42719862776966244},
      {"n 11",
       {148, 154, 158, 160, 161, 162, 166, 170, 182, 195, 236},
       0.78881469483538735,
       0.0067038140565029254},
      {"n 12",
       {3.1, 2.7, 4.4, 5.0, 3.8, 4.1, 6.2, 2.2, 3.3, 4.8, 5.5, 9.9},
       0.86854626921463751,
       0.062635698945354493},
      {"sqrt(i) + ((i * 37) %% 101) / 10",
       Formula(50, [](double i) { return std::sqrt(i) + std::fmod(i * 37, 101) / 10; }),
       0.98408109046545966, 0.73149591255118052},
      {"((i * 7919) %% 1009) + ((i * 104729) %% 997)",
       Formula(1000,
               [](double i) { return std::fmod(i * 7919, 1009) + std::fmod(i * 104729, 997); }),
       0.9927008363938391, 7.808712028567778e-05},
      {"irwin(1000)", IrwinHall(1000), 0.9972425014727655, 0.085280059119330828},
      {"irwin(5000)", IrwinHall(5000), 0.99777409003839868, 1.2089798098205044e-06},
      {"exp(i / 1000), n 5000", Formula(5000, [](double i) { return std::exp(i / 1000); }),
       0.76257966073442152, 7.1432887688765209e-65},
      // Ties.
      {"hospital stays, group 1",
       {1, 1, 2, 2, 3, 3, 4, 21, 30},
       0.65257650777918175,
       0.00039566098487921946},
      {"hospital stays, group 2",
       {2, 3, 3, 4, 5, 5, 6, 7},
       0.96565684581341982,
       0.86192047488903789},
      {"floor(irwin(1000) * 10) / 10",
       [] {
         std::vector<double> x = IrwinHall(1000);
         for (double& v : x) v = std::floor(v * 10) / 10;
         return x;
       }(),
       0.99456767250746003, 0.0011460133216804156},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ShapiroWilkTest test = ShapiroWilk(c.x);
    EXPECT_EQ(test.failure, NoFigure::kNone);
    EXPECT_EQ(test.n, static_cast<int>(c.x.size()));
    ASSERT_TRUE(test.w && test.p);
    ExpectClose(*test.w, c.w);
    ExpectClose(*test.p, c.p);
  }
}

TEST(ShapiroWilk, SaysWhyThereIsNoW) {
  struct Case {
    std::vector<double> x;
    NoFigure failure;
  };
  const double infinity = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {{1, 2}, NoFigure::kTooFewValues},
      {std::vector<double>(5001, 1.5), NoFigure::kTooManyValues},
      {{4.2, 4.2, 4.2, 4.2}, NoFigure::kAllValuesEqual},
      {{1, 2, infinity}, NoFigure::kValueNotFinite},
  };
  for (const Case& c : cases) {
    const ShapiroWilkTest test = ShapiroWilk(c.x);
    EXPECT_EQ(test.failure, c.failure);
    EXPECT_FALSE(test.w || test.p);
  }
}

// W does not depend on the unit: R gives 0.96987969267437846 for
// shapiro.test(x * 1e300) and for x * 1e-300 alike, where plain squares
// overflow or vanish.
TEST(ShapiroWilk, AnyUnit) {
  for (const double unit : {1.0, 1e300, 1e-300}) {
    std::vector<double> x{3.1, 2.7, 4.4, 5.0, 3.8};
    for (double& v : x) v *= unit;
    const ShapiroWilkTest test = ShapiroWilk(x);
    ASSERT_TRUE(test.w);
    ExpectClose(*test.w, 0.96987969267437846);
  }
}

// R: q <- qqnorm(x, plot.it = FALSE); sort(q$x); y <- quantile(x, c(.25, .75), type = 7);
//    s <- diff(y) / diff(qnorm(c(.25, .75))); c(s, y[1] - s * qnorm(.25))
TEST(QqFacts, MatchesQqnormAndQqline) {
  struct Case {
    std::vector<double> x;
    std::vector<double> quantiles;
    double slope, intercept;
  };
  const Case cases[] = {
      {{3.1, 2.7, 4.4, 5.0, 3.8},
       {-1.1797611176118603, -0.49720057068155399, 0, 0.49720057068155399, 1.1797611176118603},
       0.96369144202864143,
       3.75},
      {{3.1, 2.7, 4.4, 5.0, 3.8, 4.1, 6.2, 2.2, 3.3, 4.8, 5.5, 9.9},
       {-1.7316643961222451, -1.1503493803760079, -0.81221780149991285, -0.548522282698098,
        -0.31863936396437514, -0.10463345561407539, 0.10463345561407526, 0.31863936396437514,
        0.54852228269809822, 0.81221780149991285, 1.1503493803760079, 1.7316643961222455},
       1.3899395798490022,
       4.1875},
  };
  for (const Case& c : cases) {
    const QqFacts facts = NormalQqFacts(c.x);
    ASSERT_EQ(facts.points.size(), c.x.size());
    EXPECT_FALSE(facts.thinned);
    std::vector<double> sorted = c.x;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
      EXPECT_NEAR(facts.points[i].quantile, c.quantiles[i], 1e-12);
      EXPECT_EQ(facts.points[i].value, sorted[i]);
    }
    ExpectClose(facts.slope.value_or(0), c.slope);
    ExpectClose(facts.intercept.value_or(0), c.intercept);
  }
  EXPECT_EQ(NormalQqFacts(std::vector<double>{}).failure, NoFigure::kTooFewValues);
}

// A full list's sample is drawn thinned: at most 1000 points, both extremes
// and every point of the sparse tails kept, ascending; the line from all.
TEST(QqFacts, ThinsALargeSample) {
  const std::vector<double> x = IrwinHall(32767);
  const QqFacts facts = NormalQqFacts(x);
  EXPECT_TRUE(facts.thinned);
  EXPECT_EQ(facts.n, x.size());
  ASSERT_LE(facts.points.size(), 2u * kQqGridCells);
  ASSERT_GE(facts.points.size(), 200u);
  std::vector<double> sorted = x;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(facts.points.front().value, sorted.front());
  EXPECT_EQ(facts.points.back().value, sorted.back());
  EXPECT_EQ(facts.points[1].value, sorted[1]);
  EXPECT_NEAR(facts.points.back().quantile, -facts.points.front().quantile, 1e-12);
  for (std::size_t i = 1; i < facts.points.size(); ++i) {
    EXPECT_LT(facts.points[i - 1].quantile, facts.points[i].quantile);
    EXPECT_LE(facts.points[i - 1].value, facts.points[i].value);
  }
  const QqFacts all = NormalQqFacts(std::span(x).first(kQqAllPointsLimit));
  EXPECT_EQ(all.points.size(), kQqAllPointsLimit);
}

}  // namespace
}  // namespace sumvane
