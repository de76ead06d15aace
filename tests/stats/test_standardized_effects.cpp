#include <gtest/gtest.h>

#include <cmath>

#include "close_to.h"
#include "stats/noncentral_t.h"
#include "stats/standardized_effects.h"

namespace sumvane {
namespace {

TEST(NoncentralT, AgainstR) {
  struct Case {
    double t, degrees, delta, p;
  };
  // pt(t, df, ncp) in R 4.2.2, whose own error is about 1e-12; the last two by
  // integrate over the chi density, as pt approximates beyond ncp = 37.62:
  //   integrate(function(s) pnorm(t*s - ncp) * dchisq(df*s^2, df) * 2*df*s, a, b,
  //             rel.tol = 2e-14) over the step a, b = ncp/t -/+ 10/t, plus the tail
  //   pchisq(df*b^2, df, lower.tail = FALSE).
  const Case cases[] = {
      {2, 10, 2, 0.48097315281769737},   {-1.5, 3, 0.5, 0.050097361497667969},
      {30, 20, 29, 0.54167022346247384}, {4.06, 9, 2, 0.92399723335566786},
      {0.3, 1, -2, 0.98634634665321763}, {1, 1.5, 1, 0.4434596470148075},
      {0, 7, 1.5, 0.066807201268858071}, {2, 10, 2, 0.48097315281790731},
      {30, 20, 29, 0.54167022346333682},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.t << " " << c.degrees << " " << c.delta);
    ExpectNear(NoncentralT(c.degrees).Cdf(c.t, c.delta), c.p, 1e-11);
  }
}

struct TwoSampleCase {
  GroupStatistics first, second;
  double pooledSd, d, dLower, dUpper, j, g, gLower, gUpper;
};

// R 4.2.2: sc <- sqrt(((n1-1)*s1^2 + (n2-1)*s2^2)/df); d <- (m1-m2)/sc;
// k <- sqrt(1/n1 + 1/n2); t <- d/k; the limits of d are k times
//   uniroot(function(ncp) pt(t, df, ncp) - p, c(t-5, t+5), extendInt = "yes", tol = 1e-14)
// for p = 0.975 and 0.025; J <- exp(lgamma(df/2) - lgamma((df-1)/2))/sqrt(df/2).
// x and y are those of test_report_figures; t.test(7, c(4, 5, 9)) has a group of one.
const GroupStatistics kX{5.3399999999999999, 0.585377371160405, 10};
const GroupStatistics kY{4.1500000000000004, 0.83502857871615821, 12};
const TwoSampleCase kTwoSample[] = {
    {kX, kY, 0.73328030111274634, 1.6228446314379168, 0.63118064445436473, 2.5845305950027346,
     0.96194453374074806, 1.561086522322223, 0.60716077073583874, 2.4861750781486038},
    {kY, kX, 0.73328030111274634, -1.6228446314379168, -2.5845305950027342, -0.63118064445436439,
     0.96194453374074806, -1.561086522322223, -2.4861750781486029, -0.60716077073583841},
    {{7, 0, 1},
     {6, 2.6457513110645907, 3},
     2.6457513110645907,
     0.3779644730092272,
     -1.9529118827017029,
     2.6251914063972199,
     0.56418958354775628,
     0.21324361862292307,
     -1.1018125418069384,
     1.4811056463083963},
};

TEST(StandardizedEffects, TwoSample) {
  for (const TwoSampleCase& c : kTwoSample) {
    SCOPED_TRACE(c.d);
    const TwoSampleEffects e = TwoSampleEffectsOf(c.first, c.second);
    EXPECT_EQ(e.gap, StandardizedGap::kNone);
    ExpectNear(e.difference, c.first.mean - c.second.mean);
    ExpectNear(e.pooledSd, c.pooledSd);
    ExpectNear(e.d, c.d);
    ExpectInterval(e.dInterval, c.dLower, c.dUpper);
    ExpectNear(e.correction, c.j);
    ExpectNear(e.g, c.g);
    ExpectInterval(e.gInterval, c.gLower, c.gUpper);
  }
  // t.test(x, y)$conf.int; the group of one has no Welch interval.
  ExpectInterval(TwoSampleEffectsOf(kX, kY).welchInterval, 0.55498814986664624,
                 1.82501185013335276);
  EXPECT_EQ(TwoSampleEffectsOf({7, 0, 1}, {6, 2.6457513110645907, 3}).welchGap,
            StandardizedGap::kGroupOfOne);
}

TEST(StandardizedEffects, LargeT) {
  // Two groups of 5000, means 2 apart, SD 1: t = 100, beyond pt's exact
  // range; the limits from the integral above with uniroot(tol = 1e-13).
  const GroupStatistics a{2, 1, 5000};
  const GroupStatistics b{0, 1, 5000};
  ExpectInterval(TwoSampleEffectsOf(a, b).dInterval, 1.951955271757384, 2.0479762929769048);
  ExpectInterval(NoncentralityInterval(250, 3), 67.036937761337967, 441.32273540770933);
}

TEST(StandardizedEffects, Paired) {
  // The sleep data: d <- extra[group == 2] - extra[group == 1]; t.test(d)$conf.int;
  // d's limits as above with ν = 9, over sqrt(10).
  const PairedEffects e = PairedEffectsOf(10, 1.5800000000000001, 1.2299954832798732);
  EXPECT_EQ(e.gap, StandardizedGap::kNone);
  ExpectInterval(e.interval, 0.70011423672301754, 2.45988576327698238);
  ExpectNear(e.t, 4.0621276833820366);
  ExpectNear(e.d, 1.2845575625910546);
  ExpectInterval(e.dInterval, 0.41462775638014349, 2.1180165139770679);
}

TEST(StandardizedEffects, FiguresThatCannotBeFormedSayWhy) {
  // Each group of one: no degrees of freedom.
  const TwoSampleEffects ones = TwoSampleEffectsOf({7, 0, 1}, {5, 0, 1});
  EXPECT_EQ(ones.gap, StandardizedGap::kTooFewDegrees);
  EXPECT_FALSE(ones.d || ones.g || ones.pooledInterval);
  ExpectNear(ones.difference, 2);
  // ν = 1: d and its interval stand (R as above), J = 0 leaves g without meaning.
  const TwoSampleEffects one = TwoSampleEffectsOf({4, 0, 1}, {6.5, 3.5355339059327378, 2});
  ExpectInterval(one.dInterval, -3.1284314502912989, 1.9565204146359867);
  EXPECT_EQ(one.gGap, StandardizedGap::kOneDegreeOfFreedom);
  EXPECT_FALSE(one.g);
  const TwoSampleEffects flat = TwoSampleEffectsOf({3, 0, 4}, {2, 0, 5});
  EXPECT_EQ(flat.gap, StandardizedGap::kNoSpread);
  EXPECT_FALSE(flat.d || flat.dInterval);
  EXPECT_EQ(TwoSampleEffectsOf({3, -1, 4}, {2, 1, 5}).gap, StandardizedGap::kInvalidFigures);
  EXPECT_EQ(PairedEffectsOf(1, 2.5, 0).gap, StandardizedGap::kTooFewDegrees);
  EXPECT_EQ(PairedEffectsOf(6, 2.5, 0).gap, StandardizedGap::kNoSpread);
  EXPECT_EQ(PairedEffectsOf(NAN, 2.5, 1).gap, StandardizedGap::kInvalidFigures);
}

}  // namespace
}  // namespace sumvane
