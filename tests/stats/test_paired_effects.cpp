#include <gtest/gtest.h>

#include <cmath>

#include "close_to.h"
#include "stats/paired_effects.h"

namespace sumvane {
namespace {

struct MatchedCase {
  int b, c;
  double pLower, pUpper, lower, upper;  // upper an infinity where R prints Inf
};

// R 4.2.2: ci <- binom.test(b, b + c)$conf.int; ci and ci / (1 - ci).
const MatchedCase kMatched[] = {
    {15, 5, 0.50895412829204245, 0.91342853089856546, 1.0364696204894186, 10.551149707628438},
    {0, 7, 0, 0.40961639722500343, 0, 0.69381398009645256},
    {9, 0, 0.66373288312005707, 1, 1.9738263118871324, INFINITY},
    {1, 1, 0.012579117093425058, 0.98742088290657493, 0.012739367083666625, 78.496835316262846},
    {300, 280, 0.4757127523668141, 0.55859358922665336, 0.90735136991095267, 1.2654859005060533},
    {1, 0, 0.025000000000000022, 1, 0.025641025641025664, INFINITY},
};

TEST(PairedEffects, MatchedOddsRatioAgainstBinomTest) {
  for (const MatchedCase& m : kMatched) {
    SCOPED_TRACE(::testing::Message() << m.b << " " << m.c);
    const MatchedOddsRatio e = MatchedOddsRatioOf(m.b, m.c);
    ASSERT_EQ(e.gap, PairedGap::kNone);
    ExpectInterval(e.proportion, m.pLower, m.pUpper);
    ExpectNear(e.interval.lower, m.lower);
    EXPECT_EQ(e.estimateInfinite, m.c == 0);
    EXPECT_EQ(e.interval.upperInfinite, m.c == 0);
    if (m.c == 0) {
      EXPECT_FALSE(e.estimate || e.interval.upper);
    } else {
      ExpectNear(e.estimate, static_cast<double>(m.b) / m.c);
      ExpectNear(e.interval.upper, m.upper);
    }
  }
  EXPECT_EQ(MatchedOddsRatioOf(0, 0).gap, PairedGap::kNoDiscordantPairs);
  EXPECT_EQ(MatchedOddsRatioOf(-1, 3).gap, PairedGap::kNegativeCount);
}

struct RateCase {
  double a, b, c, d;
  double first, second, difference, se, lower, upper;
};

// Agresti's Wald interval for matched proportions, in R 4.2.2:
// n <- a+b+c+d; diff <- (b-c)/n; se <- sqrt((b+c) - (b-c)^2/n)/n; diff -/+ qnorm(.975)*se.
const RateCase kRates[] = {
    {30, 15, 5, 50, 0.45, 0.35, 0.1, 0.04358898943540674, 0.014567150584105903,
     0.18543284941589411},
    {10, 0, 7, 3, 0.5, 0.85, -0.35, 0.10665364503850772, -0.55903730309539412,
     -0.14096269690460589},
    {2.5, 4.5, 1.5, 6, 0.48275862068965519, 0.27586206896551724, 0.20689655172413793,
     0.1599540710658762, -0.1066076667455397, 0.52040077019381559},
};

TEST(PairedEffects, RateDifference) {
  for (const RateCase& r : kRates) {
    SCOPED_TRACE(r.difference);
    const PairedRateDifference e = PairedRateDifferenceOf(r.a, r.b, r.c, r.d);
    EXPECT_EQ(e.gap, PairedGap::kNone);
    ExpectNear(e.firstRate, r.first);
    ExpectNear(e.secondRate, r.second);
    ExpectNear(e.difference, r.difference);
    ExpectNear(e.standardError, r.se);
    ExpectInterval(e.interval, r.lower, r.upper);
  }
  const PairedRateDifference concordant = PairedRateDifferenceOf(6, 0, 0, 4);
  EXPECT_EQ(concordant.gap, PairedGap::kNoDiscordantPairs);
  EXPECT_EQ(concordant.difference, 0.0);
  EXPECT_FALSE(concordant.interval);
  EXPECT_EQ(PairedRateDifferenceOf(0, 5, 0, 0).gap, PairedGap::kNoSpread);
  EXPECT_EQ(PairedRateDifferenceOf(0, 0, 0, 0).gap, PairedGap::kNoPairs);
  EXPECT_EQ(PairedRateDifferenceOf(1, -2, 0, 0).gap, PairedGap::kNegativeCount);
}

}  // namespace
}  // namespace sumvane
