#include <gtest/gtest.h>

#include <cmath>

#include "close_to.h"
#include "stats/effect_interval.h"
#include "stats/exact_odds_ratio.h"
#include "stats/fourfold_effects.h"

namespace sumvane {
namespace {

TEST(FourfoldEffects, NormalQuantile) {
  // qnorm(0.975)
  EXPECT_DOUBLE_EQ(NormalQuantile975(), 1.959963984540054);
}

struct AsymptoticCase {
  FourfoldShares table;
  bool haldaneAnscombe;
  double orEstimate, orLower, orUpper, rrEstimate, rrLower, rrUpper;
  double rd, waldLower, waldUpper, newcombeLower, newcombeUpper;
  double nnt;
  bool throughInfinity;
  // The NNT interval, or where its parts start: p1 > p2, then p1 < p2.
  double nntFirst, nntSecond;
};

// R 4.2.2, u <- qnorm(0.975), h <- 0.5 if a cell is 0, A <- a + h, ...:
// OR A*D/(B*C), exp(log(OR) -/+ u*sqrt(1/A+1/B+1/C+1/D)); RR (A/(A+B))/(C/(C+D)),
// exp(log(RR) -/+ u*sqrt(1/A-1/(A+B)+1/C-1/(C+D))); RD p1-p2 -/+ u*sqrt(p1*(1-p1)/n1+...);
// w1 <- prop.test(a, a+b, correct=FALSE)$conf.int, w2 likewise; Newcombe
// RD - sqrt((p1-w1[1])^2+(w2[2]-p2)^2), RD + sqrt((w1[2]-p1)^2+(p2-w2[1])^2); 1/|limits|.
// 56/70 vs 48/80 is Newcombe's (1998) example: method 10 gives (0.0524, 0.3339).
const AsymptoticCase kAsymptotic[] = {
    {{12, 5, 4, 9},
     false,
     5.4000000000000004,
     1.1196239173596811,
     26.044459704617317,
     2.2941176470588234,
     0.95995394591915784,
     5.4825294493762424,
     0.39819004524886881,
     0.066738877091583992,
     0.72964121340615362,
     0.039827319066159605,
     0.64055938754924369,
     3,
     false,
     1.5611355003725145,
     25.108393521011006},
    {{56, 14, 48, 32},
     false,
     2.6666666666666665,
     1.276217870536434,
     5.5720196960743777,
     1.3333333333333335,
     1.076626422763193,
     1.6512485112663871,
     0.2,
     0.05750489914903717,
     0.34249510085096296,
     0.052431472402364926,
     0.33387265403690586,
     5,
     false,
     2.9951539543860375,
     19.072514163361451},
    {{0, 8, 6, 10},
     true,
     0.095022624434389136,
     0.0046593235301168765,
     1.9378991598320006,
     0.14529914529914531,
     0.0091903874753059452,
     2.2971655636270483,
     -0.375,
     -0.61221587097781116,
     -0.13778412902218878,
     -0.61358959454497275,
     0.0010473635752439869,
     3,
     true,
     954.77828677309742,
     1.6297538434327303},
    {{3, 7, 5, 5},
     false,
     0.42857142857142855,
     0.06843142960018099,
     2.6840513264283659,
     0.6,
     0.19351285050435946,
     1.8603415693671976,
     -0.2,
     -0.62036544309913211,
     0.22036544309913209,
     -0.52607881999755568,
     0.20165494124038497,
     5,
     true,
     4.9589660131756412,
     1.9008558451462583},
    // 1/|RD| is 5 and 49 exactly; in doubles it lands a hair above, and R's
    // ceiling(1/abs(p1 - p2)) gives 6 and 50.
    {{1, 0, 4, 1},
     true,
     1,
     0.024828985662155422,
     40.275507570339833,
     1,
     0.3969535995236827,
     2.519186124524206,
     0.2,
     -0.15060901623063255,
     0.55060901623063252,
     -0.61017685298240532,
     0.6244653702374745,
     5,
     true,
     1.6013698239499101,
     1.6388691165720692},
    {{0, 1, 1, 48},
     true,
     10.777777777777779,
     0.29761576457378786,
     390.30356471039988,
     8.3333333333333339,
     0.47171554691915007,
     147.2167811682215,
     -0.020408163265306121,
     -0.059997168539108039,
     0.019180842008495794,
     -0.10693521523391615,
     0.77322028419247202,
     49,
     true,
     1.2932925072502073,
     9.3514563730249503},
    {{40, 10, 8, 42},
     false,
     21,
     7.5303066989885385,
     58.563351750232776,
     5,
     2.610107474617481,
     9.5781496521187588,
     0.64,
     0.48960548701416334,
     0.79039451298583674,
     0.45928704120611885,
     0.75635593480852237,
     2,
     false,
     1.3221288469867802,
     2.1772876442887052},
    {{12.5, 4.5, 3.5, 9.5},
     false,
     7.5396825396825395,
     1.4745328776350786,
     38.55242135418996,
     2.7310924369747904,
     1.0669477792392652,
     6.9908443922335923,
     0.46606334841628966,
     0.14650211236760979,
     0.78562458446496952,
     0.10566274967698414,
     0.690164450779154,
     3,
     false,
     1.4489300323583174,
     9.4640732240741965},
};

TEST(FourfoldEffects, AgainstR) {
  for (const AsymptoticCase& c : kAsymptotic) {
    SCOPED_TRACE(::testing::Message()
                 << c.table.a << " " << c.table.b << " " << c.table.c << " " << c.table.d);
    const FourfoldEffects e = FourfoldEffectsOf(c.table);
    EXPECT_EQ(e.haldaneAnscombe, c.haldaneAnscombe);
    ExpectNear(e.oddsRatio.estimate, c.orEstimate);
    ExpectInterval(e.oddsRatio.interval, c.orLower, c.orUpper);
    ExpectNear(e.riskRatio.estimate, c.rrEstimate);
    ExpectInterval(e.riskRatio.interval, c.rrLower, c.rrUpper);
    const RiskDifference& rd = e.riskDifference;
    ExpectNear(rd.difference, c.rd);
    ExpectInterval(rd.wald, c.waldLower, c.waldUpper);
    ExpectInterval(rd.newcombe, c.newcombeLower, c.newcombeUpper);
    const NumberNeededToTreat& nnt = e.numberNeeded;
    EXPECT_EQ(nnt.nnt, c.nnt);
    EXPECT_EQ(nnt.throughInfinity, c.throughInfinity);
    if (c.throughInfinity) {
      ExpectNear(nnt.firstHigherFrom, c.nntFirst);
      ExpectNear(nnt.secondHigherFrom, c.nntSecond);
    } else {
      ExpectInterval(nnt.interval, c.nntFirst, c.nntSecond);
    }
  }
}

TEST(FourfoldEffects, FiguresThatCannotBeFormedSayWhy) {
  // A row with nobody in it, n = 1, a column with nobody, a negative count.
  const FourfoldEffects emptyRow = FourfoldEffectsOf({0, 0, 3, 4});
  const FourfoldEffects single = FourfoldEffectsOf({1, 0, 0, 0});
  for (const FourfoldEffects& e : {emptyRow, single}) {
    EXPECT_EQ(e.oddsRatio.gap, EffectGap::kEmptyRow);
    EXPECT_FALSE(e.oddsRatio.estimate || e.riskRatio.interval || e.riskDifference.difference);
    EXPECT_EQ(e.numberNeeded.gap, EffectGap::kEmptyRow);
  }
  const FourfoldEffects emptyColumn = FourfoldEffectsOf({0, 5, 0, 6});
  EXPECT_EQ(emptyColumn.riskRatio.gap, EffectGap::kEmptyColumn);
  EXPECT_FALSE(emptyColumn.oddsRatio.estimate);
  EXPECT_EQ(emptyColumn.riskDifference.difference, 0.0);
  EXPECT_EQ(emptyColumn.riskDifference.waldGap, EffectGap::kNoSpread);
  // prop.test(0, 5, correct = FALSE)$conf.int[2] and that of 0 of 6.
  ExpectInterval(emptyColumn.riskDifference.newcombe, -0.39033428790216523, 0.43448246478317465);
  EXPECT_EQ(emptyColumn.numberNeeded.gap, EffectGap::kNoDifference);
  const FourfoldEffects negative = FourfoldEffectsOf({3, -1, 2, 4});
  EXPECT_EQ(negative.gap, EffectGap::kNegativeCount);
  EXPECT_FALSE(negative.oddsRatio.estimate || negative.riskDifference.difference);
}

struct ExactCase {
  FourfoldCounts table;
  double estimate, lower, upper;  // an infinity where R prints Inf
  double rEstimate, rLower, rUpper;
};

// fisher.test's conditional MLE and limits are roots that R finds with
// uniroot's default tolerance, about 1.2e-4 on ψ below 1 and on 1/ψ above;
// its printed limits can be 1 % off (3, 1, 1, 3). The first three columns are
// the same roots to full precision, from fisher.test's own functions:
//   support <- lo:hi; logdc <- dhyper(support, m, n, k, log = TRUE)
//   dn <- function(ncp) { d <- logdc + log(ncp) * support; d <- exp(d - max(d)); d / sum(d) }
//   mle: uniroot(function(l) sum(support * dn(exp(l))) - x, c(-60, 60), tol = 1e-13)
//   limits: the same over sum(dn(exp(l))[support >= x]) - 0.025 and [support <= x];
// the last three are fisher.test(matrix(c(a, c, b, d), 2)) as it prints them.
constexpr double kInf = INFINITY;
const ExactCase kExact[] = {
    {{12, 5, 4, 9},
     5.0691165684768542,
     0.89582732740411497,
     35.089561091506852,
     5.069117504,
     0.8958353253,
     35.07732929},
    {{3, 1, 1, 3},
     6.4083196581996766,
     0.2117355954465785,
     626.24353058881445,
     6.408308867,
     0.2117329153,
     621.9337505},
    {{0, 8, 6, 10}, 0, 0, 1.4806701395830273, 0, 0, 1.480669932},
    {{7, 0, 3, 5}, kInf, 1.1374450416048361, kInf, kInf, 1.137430554, kInf},
    {{40, 10, 8, 42},
     20.106546498304716,
     6.8260742567225758,
     67.109781333081401,
     20.1027227,
     6.826098768,
     67.14570683},
    {{1, 20, 19, 2},
     0.0071301175533404933,
     0.0001211670793382089,
     0.076510596876136566,
     0.007115485505,
     0.0001305589363,
     0.07651138284},
    {{2, 0, 0, 2}, kInf, 0.21942150062312821, kInf, kInf, 0.2194195916, kInf},
    {{120, 380, 95, 405},
     1.3458601349145338,
     0.98299831949701544,
     1.846243163674685,
     1.345848724,
     0.9829994797,
     1.84619789},
    {{5, 5, 5, 5}, 1, 0.1259148240034717, 7.9418766449010656, 1, 0.1258916153, 7.943340764},
};

// Within uniroot's tolerance of R's own root, on the scale it searched.
void ExpectWithinUniroot(double actual, double r) {
  if (std::isinf(r) || r == 0.0) return;
  const double tolerance = 1.3e-4;
  if (actual <= 1.0) {
    EXPECT_NEAR(actual, r, tolerance);
  } else {
    EXPECT_NEAR(1.0 / actual, 1.0 / r, tolerance);
  }
}

void ExpectRatio(const std::optional<double>& actual, bool infinite, double expected) {
  EXPECT_EQ(infinite, std::isinf(expected));
  if (std::isinf(expected)) {
    EXPECT_FALSE(actual.has_value());
  } else {
    ExpectNear(actual, expected);
    if (actual) ExpectWithinUniroot(*actual, expected);
  }
}

TEST(ExactOddsRatio, AgainstFisherTest) {
  for (const ExactCase& c : kExact) {
    const FourfoldCounts& t = c.table;
    SCOPED_TRACE(::testing::Message() << t.a << " " << t.b << " " << t.c << " " << t.d);
    const ExactOddsRatio e = ExactOddsRatioOf(t);
    ASSERT_EQ(e.gap, ExactOddsRatioGap::kNone);
    ExpectRatio(e.estimate, e.estimateInfinite, c.estimate);
    ExpectNear(e.interval.lower, c.lower);
    ExpectRatio(e.interval.upper, e.interval.upperInfinite, c.upper);
    if (e.estimate) ExpectWithinUniroot(*e.estimate, c.rEstimate);
    ExpectWithinUniroot(e.interval.lower, c.rLower);
    if (e.interval.upper) ExpectWithinUniroot(*e.interval.upper, c.rUpper);
  }
}

TEST(ExactOddsRatio, TablesWithoutAnAnswer) {
  // An empty row, an empty column and n = 1 leave one table; R says 0, (0, Inf).
  for (const FourfoldCounts& t : {FourfoldCounts{0, 0, 3, 4}, FourfoldCounts{0, 5, 0, 6},
                                  FourfoldCounts{1, 0, 0, 0}, FourfoldCounts{0, 0, 0, 0}}) {
    EXPECT_EQ(ExactOddsRatioOf(t).gap, ExactOddsRatioGap::kSingleTable);
  }
  EXPECT_EQ(ExactOddsRatioOf({-1, 2, 3, 4}).gap, ExactOddsRatioGap::kNotCounts);
  EXPECT_EQ(ExactOddsRatioOf({20000, 10000, 2000, 768}).gap, ExactOddsRatioGap::kNotCounts);
}

}  // namespace
}  // namespace sumvane
