// The rank tests, Levene's test and the pair differences against R 4.2.2,
// i <- 1:n for the formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "observations_of.h"
#include "stats/assumption_checks.h"
#include "stats/rank_tests.h"
#include "stats/variance_checks.h"

namespace sumvane {
namespace {

void ExpectClose(double actual, double expected) {
  EXPECT_NEAR(actual, expected, 1e-8 * std::fabs(expected));
}

std::vector<double> Formula(int from, int to, double (*term)(double)) {
  std::vector<double> x;
  for (int i = from; i <= to; ++i) x.push_back(term(i));
  return x;
}

const std::vector<double> kStays1{1, 1, 2, 2, 3, 3, 4, 21, 30};
const std::vector<double> kStays2{2, 3, 3, 4, 5, 5, 6, 7};
double Modulo101(double i) { return std::fmod(i * 37, 101); }
double Shifted(double i) { return i + 20.5; }

// R: r <- wilcox.test(x, y); rk <- rank(c(x, y));
//    c(r$statistic, r$p.value, sum(rk[seq_along(x)]), sum(rk[-seq_along(x)]))
TEST(WilcoxonRankSum, MatchesR) {
  struct Case {
    const char* what;
    std::vector<double> x, y;
    double w, p, rankSum1, rankSum2;
    RankMethod method;
  };
  const auto exact = RankMethod::kExact;
  const auto normal = RankMethod::kNormal;
  const Case cases[] = {
      {"small",
       {1.2, 3.4, 2.2, 5.1, 0.7},
       {2.9, 4.4, 6.3, 5.8},
       3,
       0.1111111111111111,
       18,
       27,
       exact},
      {"hospital stays", kStays1, kStays2, 24.5, 0.28476490072030847, 69.5, 83.5, normal},
      {"(i * 37) %% 101, 49 each", Formula(1, 49, Modulo101), Formula(50, 98, Modulo101), 1222,
       0.88192790601445448, 2447, 2404, exact},
      {"(i * 37) %% 101, 50 each", Formula(1, 50, Modulo101), Formula(51, 100, Modulo101), 1258,
       0.95876482959673759, 2533, 2517, normal},
      {"i, i + 20.5, 49 each", Formula(1, 49, [](double i) { return i; }), Formula(1, 49, Shifted),
       406, 2.6341334724381895e-09, 1631, 3220, exact},
      {"i, i + 20.5, 50 each", Formula(1, 50, [](double i) { return i; }), Formula(1, 50, Shifted),
       435, 1.9654372965895828e-08, 1710, 3340, normal},
      {"i %% 10, (i + 3) %% 12, 49 each with ties",
       Formula(1, 49, [](double i) { return std::fmod(i, 10); }),
       Formula(1, 49, [](double i) { return std::fmod(i + 3, 12); }), 1025.5, 0.21322533232383784,
       2250.5, 2600.5, normal},
      {"one each", {4}, {9}, 0, 1, 1, 2, exact},
      {"group 1 smaller",
       {8, 9, 10, 11},
       {1, 2, 3, 4, 5, 6, 7, 12},
       28,
       0.048484848484848492,
       38,
       40,
       exact},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RankSumTest test = WilcoxonRankSum(c.x, c.y);
    EXPECT_EQ(test.failure, NoFigure::kNone);
    EXPECT_EQ(test.w, c.w);
    EXPECT_EQ(test.rankSum1, c.rankSum1);
    EXPECT_EQ(test.rankSum2, c.rankSum2);
    EXPECT_EQ(test.method, c.method);
    ASSERT_TRUE(test.p);
    ExpectClose(*test.p, c.p);
    const bool secondSmaller = c.y.size() < c.x.size();
    EXPECT_EQ(test.tGroup, secondSmaller ? 2 : 1);
    EXPECT_EQ(test.t, secondSmaller ? c.rankSum2 : c.rankSum1);
  }
}

// The worked example: R's rank(c(x, y)), and the normal approximation with
// Σ(t³ - t) = 102, T = 83.5 of the eight, μ = 72, σ = √108, c = 1 - 102/4896.
TEST(WilcoxonRankSum, HospitalStaysWorkedThrough) {
  const RankSumTest test = WilcoxonRankSum(kStays1, kStays2);
  EXPECT_EQ(test.ranks1, (std::vector<double>{1.5, 1.5, 4, 4, 7.5, 7.5, 10.5, 16, 17}));
  EXPECT_EQ(test.ranks2, (std::vector<double>{4, 7.5, 7.5, 10.5, 12.5, 12.5, 14, 15}));
  EXPECT_TRUE(test.ties);
  EXPECT_EQ(test.tieSum, 102);
  EXPECT_EQ(test.normal.meanT, 72);
  ExpectClose(test.normal.sdT.value_or(0), std::sqrt(108.0));
  ExpectClose(test.tieFactor.value_or(0), 1 - 102.0 / 4896);
  // qnorm(P / 2, lower.tail = FALSE)
  ExpectClose(test.normal.z.value_or(0), 1.0696766043178931);
}

TEST(WilcoxonRankSum, SaysWhyThereIsNoP) {
  EXPECT_EQ(WilcoxonRankSum(std::vector<double>{}, kStays2).failure, NoFigure::kTooFewValues);
  const RankSumTest tied = WilcoxonRankSum(std::vector<double>{3, 3}, std::vector<double>{3, 3, 3});
  EXPECT_EQ(tied.failure, NoFigure::kAllValuesEqual);
  EXPECT_EQ(tied.rankSum1, 6);
  EXPECT_FALSE(tied.p || tied.normal.z);
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(WilcoxonRankSum(std::vector<double>{1, infinity}, kStays2).failure,
            NoFigure::kValueNotFinite);
}

double Alternating(double i) { return std::fmod(i * 37, 101) > 50 ? i : -i; }

// R: r <- wilcox.test(d); a <- d[d != 0]; c(r$statistic, sum(rank(abs(a))[a < 0]), r$p.value)
// (as wilcox.test(x, y, paired = TRUE) with d = x - y).
TEST(WilcoxonSignedRank, MatchesR) {
  struct Case {
    const char* what;
    std::vector<double> d;
    double tPlus, tMinus, p;
    RankMethod method;
  };
  const auto exact = RankMethod::kExact;
  const auto normal = RankMethod::kNormal;
  const Case cases[] = {
      {"small", {1.5, -0.5, 2.5, 3, -1, 4, 6}, 25, 3, 0.078125000000000028, exact},
      {"zeros and ties", {2, 0, -1, 3, 3, -3, 0, 5, 1, 2}, 28.5, 7.5, 0.15833567752137875, normal},
      {"one zero", {-2, 5, 0, 7, 9}, 9, 1, 0.20124262095772402, normal},
      {"49 pairs", Formula(1, 49, Alternating), 623, 602, 0.92148147183250739, exact},
      {"50 pairs", Formula(1, 50, Alternating), 623, 652, 0.89249651894949578, normal},
      {"i * ifelse(i %% 5 == 0, -1, 1), 49 pairs",
       Formula(1, 49, [](double i) { return std::fmod(i, 5) == 0 ? -i : i; }), 1000, 225,
       5.8742257142085925e-05, exact},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const SignedRankTest test = WilcoxonSignedRank(c.d);
    EXPECT_EQ(test.failure, NoFigure::kNone);
    EXPECT_EQ(test.tPlus, c.tPlus);
    EXPECT_EQ(test.tMinus, c.tMinus);
    EXPECT_EQ(test.method, c.method);
    ASSERT_TRUE(test.p);
    ExpectClose(*test.p, c.p);
  }
}

// R: sign(a) * rank(abs(a)) for the non-zero a; z = qnorm(P / 2, lower.tail = FALSE).
TEST(WilcoxonSignedRank, ZerosDroppedTiesAveraged) {
  const SignedRankTest test =
      WilcoxonSignedRank(std::vector<double>{2, 0, -1, 3, 3, -3, 0, 5, 1, 2});
  EXPECT_EQ(test.pairs, 10);
  EXPECT_EQ(test.zeros, 2);
  EXPECT_EQ(test.n, 8);
  EXPECT_EQ(test.signedRanks, (std::vector<double>{3.5, 0, -1.5, 6, 6, -6, 0, 8, 1.5, 3.5}));
  EXPECT_EQ(test.tieSum, 36);
  EXPECT_EQ(test.normal.meanT, 18);
  ExpectClose(test.normal.correctedSdT.value_or(0), std::sqrt(51 - 36.0 / 48));
  ExpectClose(test.normal.z.value_or(0), 1.4106912317171967);

  const SignedRankTest zeros = WilcoxonSignedRank(std::vector<double>{0, 0, 0});
  EXPECT_EQ(zeros.failure, NoFigure::kAllDifferencesZero);
  EXPECT_FALSE(zeros.p);
  EXPECT_EQ(WilcoxonSignedRank(std::vector<double>{}).failure, NoFigure::kTooFewValues);
}

// 2.3 - 1.1, 4.5 - 3.3 and 3.1 - 1.9 are 1.2 each as typed; subtracted as
// doubles they are three different numbers and would not tie.
// R: wilcox.test(c(1.2, 1.2, 1.2, -0.5)): V = 9, P = 0.18587673236587601.
TEST(WilcoxonSignedRank, DifferencesOfTypedDecimalsTie) {
  const std::vector<Observation> x = ObservationsOf(std::vector<double>{2.3, 4.5, 3.1, 2.0});
  const std::vector<Observation> y = ObservationsOf(std::vector<double>{1.1, 3.3, 1.9, 2.5});
  const std::vector<double> d = PairDifferences(x, y);
  EXPECT_EQ(d, (std::vector<double>{1.2, 1.2, 1.2, -0.5}));
  const SignedRankTest test = WilcoxonSignedRank(d);
  EXPECT_EQ(test.tPlus, 9);
  ExpectClose(test.p.value_or(0), 0.18587673236587601);
  EXPECT_TRUE(PairDifferences(x, std::span(y).first(3)).empty());
}

// R: f <- lm(y ~ x); coef(f); shapiro.test(residuals(f)) for the first case
// below; without a line (all x equal) there are no residuals to check.
TEST(CheckCorrelation, ResidualsOfTheLine) {
  const std::vector<double> x{1, 2, 3, 4, 5, 6, 7, 8};
  const std::vector<double> y{2.1, 1.9, 3.5, 3.0, 6.2, 4.8, 7.7, 6.9};
  const CorrelationChecks checks = CheckCorrelation(
      x, y, {.r = {}, .slope = 0.82976190476190492, .intercept = 0.77857142857142836});
  ExpectClose(checks.residualNormality.w.value_or(0), 0.91629055563692985);
  ExpectClose(checks.residualNormality.p.value_or(0), 0.40049331900059915);
  EXPECT_EQ(checks.residualQq.points.size(), 8u);
  ExpectClose(checks.spearman.rs.value_or(0), 0.90476190476190499);
  const CorrelationChecks noLine = CheckCorrelation(x, y, {});
  EXPECT_EQ(noLine.residualNormality.failure, NoFigure::kAllValuesEqual);
  EXPECT_TRUE(noLine.residualQq.points.empty());
}

// R: r <- cor.test(x, y, method = "spearman", exact = FALSE);
//    c(r$estimate, r$p.value, sum((rank(x) - rank(y))^2))
TEST(Spearman, MatchesR) {
  struct Case {
    const char* what;
    std::vector<double> x, y;
    double rs, p, sumSquares;
  };
  const Case cases[] = {
      {"no ties",
       {1, 2, 3, 4, 5, 6, 7, 8},
       {2.1, 1.9, 3.5, 3.0, 6.2, 4.8, 7.7, 6.9},
       0.90476190476190499,
       0.0020082755054294543,
       8},
      {"ties",
       kStays1,
       {2, 3, 3, 4, 5, 5, 6, 7, 4},
       0.7649572649572649,
       0.016326972869039898,
       27.5},
      {"(i * 37) %% 101, (i * 53) %% 103 + i %% 4", Formula(1, 60, Modulo101),
       Formula(1, 60, [](double i) { return std::fmod(i * 53, 103) + std::fmod(i, 4); }),
       -0.043329026954632859, 0.74236777627879991, 37539.5},
      {"n 3, perfect", {3, 1, 2}, {1, 3, 2}, -1, 0, 8},
      {"perfect", {1, 2, 3, 4}, {10, 20, 30, 40}, 1, 0, 0},
      // R's cor() of the ranks rounds this to -0.99999999999999978 and gives
      // P = 1.1e-23; the sums of ranks here are exact.
      {"perfect, reversed", {5, 4, 3, 2, 1}, {1, 2, 3, 4, 5}, -1, 0, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const SpearmanTest test = SpearmanCorrelation(c.x, c.y);
    EXPECT_EQ(test.failure, NoFigure::kNone);
    ASSERT_TRUE(test.rs && test.p);
    ExpectClose(*test.rs, c.rs);
    ExpectClose(*test.p, c.p);
    EXPECT_EQ(test.sumSquaredRankDifferences, c.sumSquares);
    EXPECT_EQ(test.df, c.x.size() - 2.0);
    EXPECT_EQ(test.t.has_value(), std::fabs(c.rs) < 1);
  }
  const std::vector<double> same{1, 1, 1, 1};
  const std::vector<double> rising{1, 2, 3, 4};
  EXPECT_EQ(SpearmanCorrelation(same, rising).failure, NoFigure::kAllValuesEqual);
  EXPECT_FALSE(SpearmanCorrelation(same, rising).rs);
  EXPECT_EQ(SpearmanCorrelation(rising, std::span(rising).first(3)).failure,
            NoFigure::kUnequalLengths);
  EXPECT_EQ(SpearmanCorrelation(std::span(rising).first(2), std::span(same).first(2)).failure,
            NoFigure::kTooFewValues);
}

// R: v <- c(x, y); g <- factor(rep(1:2, c(length(x), length(y))));
//    a <- anova(lm(abs(v - ave(v, g, FUN = median)) ~ g)); a[1, "F value"], a[2, "Df"], a[1,
//    "Pr(>F)"]
TEST(Levene, MatchesR) {
  struct Case {
    const char* what;
    std::vector<double> x, y;
    double f, df2, p;
  };
  const Case cases[] = {
      {"hospital stays", kStays1, kStays2, 1.602594839877137, 15, 0.22484485637214049},
      {"even and odd sizes",
       {5.1, 4.8, 6.0, 5.5, 4.9, 5.7, 6.2, 5.0, 4.4, 5.8},
       {4.0, 3.6, 4.9, 5.2, 3.1, 4.4, 3.8, 4.7, 2.9, 4.1, 5.6, 3.5},
       0.99137503717656505,
       20,
       0.33130128049504515},
      {"four each", {1, 3, 5, 7}, {2, 2.5, 3, 3.5}, 6.3529411764705914, 6, 0.045256265347806031},
      {"((i * 7919) %% 1009) / 10, ((i * 104729) %% 997) / 25",
       Formula(1, 1000, [](double i) { return std::fmod(i * 7919, 1009) / 10; }),
       Formula(1, 1000, [](double i) { return std::fmod(i * 104729, 997) / 25; }),
       941.7177203702563, 1998, 9.034095458585763e-170},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const LeveneTest test = BrownForsytheLevene(c.x, c.y);
    EXPECT_EQ(test.failure, NoFigure::kNone);
    ASSERT_TRUE(test.f && test.p);
    ExpectClose(*test.f, c.f);
    EXPECT_EQ(test.df1, 1);
    EXPECT_EQ(test.df2, c.df2);
    ExpectClose(*test.p, c.p);
  }
  // The same F in any unit, where plain squares of the distances overflow
  // or vanish.
  for (const double unit : {1e300, 1e-300}) {
    std::vector<double> x = kStays1;
    std::vector<double> y = kStays2;
    for (double& v : x) v *= unit;
    for (double& v : y) v *= unit;
    ExpectClose(BrownForsytheLevene(x, y).f.value_or(0), 1.602594839877137);
  }
}

TEST(Levene, SaysWhyThereIsNoF) {
  // R gives F = 1.2e32 here, a quotient of rounding errors, and warns that
  // the fit is essentially perfect: both distances of {1, 4} are 1.5.
  const LeveneTest noSpread =
      BrownForsytheLevene(std::vector<double>{7}, std::vector<double>{1, 4});
  EXPECT_EQ(noSpread.failure, NoFigure::kAllValuesEqual);
  EXPECT_EQ(noSpread.meanDistance2, 1.5);
  EXPECT_FALSE(noSpread.f || noSpread.p);
  EXPECT_EQ(BrownForsytheLevene(std::vector<double>{1}, std::vector<double>{2}).failure,
            NoFigure::kTooFewValues);
  EXPECT_EQ(BrownForsytheLevene(std::vector<double>{}, kStays2).failure, NoFigure::kTooFewValues);
}

}  // namespace
}  // namespace sumvane
