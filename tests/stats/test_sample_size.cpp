// Sample sizes and power. Expected figures from R 4.2.2 unless said
// otherwise: power.t.test(..., tol = 1e-13) (its default, strict = FALSE),
// power.prop.test, qnorm, pt, and the formulas evaluated in R, e.g. for two
// means with k, which power.t.test does not take:
//   pw <- function(n1, n2) { nu <- n1 + n2 - 2; q <- qt(a/2, nu, lower = FALSE)
//     ncp <- d/(s*sqrt(1/n1 + 1/n2)); pt(q, nu, ncp, lower = FALSE) }
//   uniroot(function(n) pw(n, k*n) - power, c(2, 1e4), tol = 1e-13)$root
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "close_to.h"
#include "stats/noncentral_t_series.h"
#include "stats/sample_size.h"
#include "stats/sample_size_inputs.h"
#include "stats/sample_size_power.h"

namespace sumvane {
namespace {

using D = StudyDesign;
using S = TestSides;
constexpr double kSizeTolerance = 1e-8;

TEST(NoncentralTSeries, AgainstPt) {
  struct Case {
    double t, degrees, delta, p;
  };
  // pt(t, df, ncp); the last is the normal approximation past ν = 4e5, as pt.
  const Case cases[] = {
      {2, 10, 2, 0.48097315281769737},           {-1.5, 3, 0.5, 0.050097361497667969},
      {30, 20, 29, 0.54167022346247384},         {0.3, 1, -2, 0.98634634665321763},
      {1, 1.5, 1, 0.4434596470148075},           {0, 7, 1.5, 0.066807201268858071},
      {-1.97, 168, 3.2, 1.3897803485818372e-07}, {2.1, 5e5, 3, 0.18406037400239966},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.t << " " << c.degrees << " " << c.delta);
    EXPECT_NEAR(NoncentralTSeriesCdf(c.t, c.degrees, c.delta), c.p, 1e-12);
  }
}

SampleSizeInputs Means(D design, S sides, double alpha, double power, double delta, double sigma,
                       double ratio = 1.0) {
  SampleSizeInputs in;
  in.design = design;
  in.sides = sides;
  in.alpha = alpha;
  in.power = power;
  in.delta = delta;
  in.sigma = sigma;
  in.ratio = ratio;
  return in;
}

TEST(SampleSize, MeansAgainstPowerTTest) {
  struct Case {
    SampleSizeInputs in;
    double formula, n1, n2, exact, exactN1, exactN2, exactPower;
  };
  const Case cases[] = {
      {Means(D::kTwoMeans, S::kTwoSided, 0.05, 0.9, 1, 2), 84.059384491524952, 85, 85,
       85.031313311499318, 86, 86, 0.90322989069176562},
      {Means(D::kTwoMeans, S::kOneSided, 0.05, 0.8, 0.5, 1), 49.460457856158108, 50, 50,
       50.150783386856716, 51, 51, 0.80589859909404504},
      // δ's sign does not matter; R is given |δ|.
      {Means(D::kPairedMeans, S::kOneSided, 0.01, 0.95, -1, 1.2), 22.70943556053637, 23, 0,
       25.516079061601971, 26, 0, 0.95419351864286761},
      {Means(D::kTwoMeans, S::kTwoSided, 0.05, 0.9, 3, 1), 2.3349829025423601, 3, 3,
       3.6248151396156292, 4, 4, 0.93893573992460533},
      // k = 2: n2 = 2·n1; k = 0.1: n2 = 47 lets n1 = 461 < the root serve.
      {Means(D::kTwoMeans, S::kTwoSided, 0.05, 0.9, 1, 2, 2), 63.044538368643714, 64, 127,
       63.691635941866686, 64, 128, 0.90138262873194486},
      {Means(D::kTwoMeans, S::kTwoSided, 0.05, 0.9, 1, 2, 0.1), 462.32661470338724, 463, 47,
       464.07969246684206, 461, 47, 0.90306934579230402},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.formula);
    const SampleSizePlan plan = PlanSampleSize(c.in);
    ASSERT_TRUE(plan.formula);
    ExpectNear(plan.formula->n, c.formula, kSizeTolerance);
    EXPECT_EQ(plan.formula->n1, c.n1);
    EXPECT_EQ(plan.formula->n2, c.n2);
    EXPECT_EQ(plan.second.method, SecondMethod::kNoncentralT);
    ExpectNear(plan.second.n, c.exact, kSizeTolerance);
    EXPECT_EQ(plan.second.n1, c.exactN1);
    EXPECT_EQ(plan.second.n2, c.exactN2);
    ExpectNear(plan.second.power, c.exactPower, 1e-10);
  }
  // pw(460, 46) = 0.89746 falls short, so 461 is the smallest n1.
  ExpectNear(NoncentralTPower(Means(D::kTwoMeans, S::kTwoSided, 0.05, 0.9, 1, 2, 0.1), 460, 46),
             0.8974612739132205, 1e-10);
}

TEST(SampleSize, RatesAndCorrelationAgainstR) {
  struct Case {
    D design;
    S sides;
    double alpha, power, p1, p2, rho, formula, n1, second;
  };
  // Two rates: power.prop.test(..., tol = 1e-13)$n, and Fleiss' n/4·(1 +
  // sqrt(1 + 4/(n·|p1 − p2|)))²; paired rates and correlation: the formulas.
  const Case cases[] = {
      {D::kTwoRates, S::kTwoSided, 0.05, 0.9, 0.3, 0.4, 0, 476.00719527510904, 477,
       495.80550328230493},
      {D::kTwoRates, S::kOneSided, 0.05, 0.8, 0.45, 0.25, 0, 69.272475300433968, 70,
       78.95584262107694},
      {D::kTwoRates, S::kTwoSided, 0.01, 0.8, 0.9, 0.75, 0, 148.43122345171773, 149,
       161.48934082207663},
      {D::kPairedRates, S::kTwoSided, 0.05, 0.9, 0.24, 0.04, 0, 69.301041270609815, 70, 0},
      {D::kPairedRates, S::kOneSided, 0.05, 0.8, 0.1, 0.2, 0, 183.37231435195704, 184, 0},
      {D::kCorrelation, S::kTwoSided, 0.05, 0.9, 0, 0, 0.5, 37.823089965184487, 38, 0},
      {D::kCorrelation, S::kOneSided, 0.01, 0.8, 0, 0, -0.3, 107.75760312599022, 108, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.formula);
    SampleSizeInputs in = Means(c.design, c.sides, c.alpha, c.power, 0, 0);
    in.p1 = c.p1;
    in.p2 = c.p2;
    in.rho = c.rho;
    const SampleSizePlan plan = PlanSampleSize(in);
    ASSERT_TRUE(plan.formula);
    ExpectNear(plan.formula->n, c.formula, kSizeTolerance);
    EXPECT_EQ(plan.formula->n1, c.n1);
    if (c.design == D::kTwoRates) {
      EXPECT_EQ(plan.formula->n2, c.n1);
      ExpectNear(plan.second.n, c.second, kSizeTolerance);
    } else {
      EXPECT_EQ(plan.second.gap, SecondGap::kNoMethod);
    }
  }
}

TEST(SampleSize, PowerAtAGivenSize) {
  struct Case {
    SampleSizeInputs in;
    double formula;
    std::optional<double> exact;
  };
  SampleSizeInputs rates = Means(D::kTwoRates, S::kTwoSided, 0.05, 0.9, 0, 0);
  rates.p1 = 0.3, rates.p2 = 0.4, rates.n = 100;
  SampleSizeInputs pairs = Means(D::kPairedRates, S::kOneSided, 0.05, 0.9, 0, 0);
  pairs.p1 = 0.04, pairs.p2 = 0.24, pairs.n = 50;
  SampleSizeInputs correlation = Means(D::kCorrelation, S::kTwoSided, 0.05, 0.6, 0, 0);
  correlation.rho = -0.3, correlation.n = 30;
  SampleSizeInputs twoMeans = Means(D::kTwoMeans, S::kTwoSided, 0.05, 0.9, 1, 2);
  twoMeans.n = 30;
  SampleSizeInputs twoMeansK = Means(D::kTwoMeans, S::kTwoSided, 0.05, 0.9, 1, 2, 2);
  twoMeansK.n = 40;
  SampleSizeInputs paired = Means(D::kPairedMeans, S::kOneSided, 0.01, 0.9, 1, 1.2);
  paired.n = 20;
  // power.prop.test(n = 100, p1 = .3, p2 = .4)$power; pnorm of the formula
  // solved for u_β; power.t.test(n = ...)$power and pw(40, 80).
  const Case cases[] = {
      {rates, 0.31557437251153941, std::nullopt},
      {pairs, 0.86652340414065321, std::nullopt},
      {correlation, 0.3625492774774195, std::nullopt},
      {twoMeans, 0.49063676233555442, 0.47784098594093882},
      {twoMeansK, 0.73303725668938979, 0.7260668452782042},
      {paired, 0.91930801671010154, 0.87058378447917983},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.formula);
    const SampleSizePlan plan = PlanSampleSize(c.in);
    ASSERT_TRUE(plan.atN);
    ExpectNear(plan.atN->formula, c.formula, 1e-10);
    if (c.exact) {
      ExpectNear(plan.atN->exact, *c.exact, 1e-10);
    } else {
      EXPECT_FALSE(plan.atN->exact);
    }
  }
}

// Dalgaard, Introductory Statistics with R, 2nd ed. (Springer 2008), the
// chapter "Power and the computation of sample size": "Two-sample
// problems", power.t.test(delta = 0.5, sd = 2,
// sig.level = 0.01, power = 0.9), n = 477.8 per group; "One-sample problems
// and paired tests", power.t.test(delta = 10, sd = 10*sqrt(2), power = 0.85,
// type = "paired"), n = 19.97 pairs; "Comparison of proportions",
// power.prop.test(power = .85, p1 = .15, p2 = .30), n = 137.6 per group.
// Figures as R 4.2.2 prints them with tol = 1e-13.
TEST(SampleSize, DalgaardPowerChapter) {
  const SampleSizePlan twoSample =
      PlanSampleSize(Means(D::kTwoMeans, S::kTwoSided, 0.01, 0.9, 0.5, 2));
  ExpectNear(twoSample.second.n, 477.80205609484517, kSizeTolerance);
  EXPECT_EQ(twoSample.second.n1, 478);
  const SampleSizePlan paired =
      PlanSampleSize(Means(D::kPairedMeans, S::kTwoSided, 0.05, 0.85, 10, 10 * std::sqrt(2.0)));
  ExpectNear(paired.second.n, 19.968921345377527, kSizeTolerance);
  EXPECT_EQ(paired.second.n1, 20);
  SampleSizeInputs rates = Means(D::kTwoRates, S::kTwoSided, 0.05, 0.85, 0, 0);
  rates.p1 = 0.15, rates.p2 = 0.30;
  const SampleSizePlan plan = PlanSampleSize(rates);
  ExpectNear(plan.formula->n, 137.60404796001509, 1e-6);
  EXPECT_EQ(plan.formula->n1, 138);
}

}  // namespace
}  // namespace sumvane
