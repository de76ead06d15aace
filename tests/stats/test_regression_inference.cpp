#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "close_to.h"
#include "stats/moments.h"
#include "stats/regression_bands.h"
#include "stats/regression_inference.h"

namespace sumvane {
namespace {

std::vector<Observation> Read(const std::vector<std::string>& texts) {
  std::vector<Observation> values;
  for (const std::string& text : texts) values.push_back(ReadObservation(text));
  return values;
}

RegressionInference Infer(const std::vector<std::string>& x, const std::vector<std::string>& y) {
  return InferRegression(DescribePairs(Read(x), Read(y)));
}

struct RegressionCase {
  const char* what;
  std::vector<std::string> x, y;
  // r², a, b, S_a, S_b, S_y·x, t_b; the limits of a and of b; SS regression,
  // SS residual, MS residual, F, P; X0, Ŷ, its SE, the limits of the mean and
  // of one Y.
  double fit[7], limits[4], anova[5], at[7];
};

// R 4.2.2: fit <- lm(y ~ x); s <- summary(fit): s$r.squared, coef(s) (estimates,
// standard errors, t of b), s$sigma; confint(fit); anova(fit) (SS, MS, F, P);
// predict(fit, data.frame(x = x0), interval = "confidence", se.fit = TRUE) and
// interval = "prediction". "&H1" has no exact decimal form, so that case takes
// the extended-precision sums.
const RegressionCase kCases[] = {
    {"decimals",
     {"1.1", "2.3", "3.7", "4.2", "5.9"},
     {"2.0", "4.1", "6.3", "8.5", "9.9"},
     {0.96514817500644889, 0.26205463182897898, 1.7145190023752968, 0.71696896407178978,
      0.1881037444711573, 0.69042018199919175, 9.1147521129659967},
     {-2.0196605988843754, 2.5437698625423333, 1.1158889357730315, 2.313149068977562},
     {39.601959916864615, 1.4300400831353914, 0.47668002771179713, 83.078706080818094,
      0.0027908095521540044},
     {3.5, 6.2628711401425177, 0.30897149449362166, 5.2795859490533061, 7.2461563312317292,
      3.8556635963539558, 8.6700786839310791}},
    {"eight pairs",
     {"13", "11", "9", "6", "8", "10", "12", "7"},
     {"3.54", "3.01", "3.09", "2.48", "2.56", "3.36", "3.18", "2.65"},
     {0.77751757373001196, 1.6616666666666668, 0.13916666666666672, 0.29699834878311049,
      0.030391514932529774, 0.19695952770951583, 4.5791289764798364},
     {0.9349378872587869, 2.3883954460745467, 0.06480130860401033, 0.21353202472932309},
     {0.81342916666666654, 0.23275833333333321, 0.038793055555555532, 20.968422183237273,
      0.00377398536997428},
     {10.5, 3.1229166666666677, 0.075978787331324418, 2.9370032715100267, 3.3088300618233086,
      2.6063583808462512, 3.6394749524870842}},
    {"three pairs, extended sums",
     {"&H1", "2", "4"},
     {"1", "3", "2"},
     {0.107142857142857, 1.5000000000000009, 0.21428571428571402, 1.6366341767699437,
      0.61858957413174198, 1.3363062095621219, 0.34641016151377496},
     {-19.295408928259629, 22.295408928259629, -7.645640062295314, 8.0742114908667428},
     {0.21428571428571366, 1.7857142857142854, 1.7857142857142854, 0.11999999999999968,
      0.78770438499034368},
     {10, 3.642857142857141, 4.8048657310977543, -57.408750566300633, 64.694464852014917,
      -59.725890350434732, 67.011604636149016}},
};

TEST(RegressionInference, AgainstLm) {
  for (const RegressionCase& c : kCases) {
    SCOPED_TRACE(c.what);
    const RegressionInference r = Infer(c.x, c.y);
    EXPECT_EQ(r.gap, RegressionGap::kNone);
    const std::optional<double> fit[] = {r.rSquared, r.intercept,  r.slope, r.interceptSe,
                                         r.slopeSe,  r.residualSd, r.slopeT};
    for (int i = 0; i < 7; ++i) ExpectNear(fit[i], c.fit[i]);
    ExpectInterval(r.interceptInterval, c.limits[0], c.limits[1]);
    ExpectInterval(r.slopeInterval, c.limits[2], c.limits[3]);
    const RegressionAnova& a = r.anova;
    const std::optional<double> anova[] = {a.regressionSquares, a.residualSquares,
                                           a.residualMeanSquare, a.f, a.p};
    for (int i = 0; i < 5; ++i) ExpectNear(anova[i], c.anova[i]);
    ExpectNear(a.totalSquares, c.anova[0] + c.anova[1]);
    const RegressionPrediction at = PredictAt(r, c.at[0]);
    ExpectNear(at.fitted, c.at[1]);
    ExpectNear(at.meanSe, c.at[2]);
    ExpectInterval(at.meanInterval, c.at[3], c.at[4]);
    ExpectInterval(at.predictionInterval, c.at[5], c.at[6]);
  }
}

TEST(RegressionInference, EdgesOfTheLine) {
  // y = 2x + 1 and y = 6 − x exactly: no residual at all, so the intervals
  // have no width and t, F and P cannot be formed.
  for (const auto& [y, slope] : {std::pair{std::vector<std::string>{"3", "5", "7", "9"}, 2.0},
                                 std::pair{std::vector<std::string>{"5", "4", "3", "2"}, -1.0}}) {
    const RegressionInference r = Infer({"1", "2", "3", "4"}, y);
    EXPECT_EQ(r.gap, RegressionGap::kPerfectFit);
    EXPECT_EQ(r.rSquared, 1.0);
    EXPECT_EQ(r.residualSd, 0.0);
    ExpectInterval(r.slopeInterval, slope, slope, 0);
    EXPECT_FALSE(r.slopeT || r.anova.f || r.anova.p);
    const RegressionPrediction at = PredictAt(r, 10);
    ExpectInterval(at.predictionInterval, *at.fitted, *at.fitted, 0);
  }
  const RegressionInference sameX = Infer({"3", "3", "3"}, {"1", "2", "4"});
  EXPECT_EQ(sameX.gap, RegressionGap::kAllXEqual);
  EXPECT_FALSE(sameX.slope || sameX.rSquared || PredictAt(sameX, 3).fitted);
  const RegressionInference sameY = Infer({"1", "2", "3"}, {"2", "2", "2"});
  EXPECT_EQ(sameY.gap, RegressionGap::kAllYEqual);
  EXPECT_EQ(sameY.slope, 0.0);
  EXPECT_FALSE(sameY.rSquared || sameY.anova.f);
  // Two points: the line and r² = 1, but no residual degrees of freedom.
  const RegressionInference two = Infer({"1", "3"}, {"2", "5"});
  EXPECT_EQ(two.gap, RegressionGap::kTooFewPairs);
  EXPECT_EQ(two.slope, 1.5);
  EXPECT_EQ(two.rSquared, 1.0);
  EXPECT_EQ(two.anova.residualDegrees, 0.0);
  EXPECT_FALSE(two.residualSd || two.slopeInterval || two.anova.residualMeanSquare);
  EXPECT_EQ(PredictAt(two, 2).fitted, 3.5);
  EXPECT_FALSE(PredictAt(two, 2).meanInterval);
  EXPECT_EQ(PredictAt(Infer({"1", "2", "4"}, {"1", "3", "2"}), NAN).gap, RegressionGap::kInvalidX);
}

// R: predict(lm(y ~ x), data.frame(x = c(1, 3, 5)), interval = "confidence")
// and interval = "prediction", for x = 1..5, y = 2, 4, 5, 4, 5.
TEST(RegressionBands, TheScatterBandsArePredictionsAlongX) {
  const std::vector<BandPoint> bands =
      RegressionBands(Infer({"1", "2", "3", "4", "5"}, {"2", "4", "5", "4", "5"}), 1.0, 5.0, 3);
  ASSERT_EQ(bands.size(), 3u);
  const double expected[3][6] = {
      {1, 2.8, 0.595136522755507, 5.00486347724449, -0.800526981165092, 6.40052698116509},
      {3, 4.0, 2.727021477886517, 5.27297852211348, 0.881852167299734, 7.11814783270027},
      {5, 5.2, 2.995136522755506, 7.40486347724450, 1.599473018834908, 8.80052698116510}};
  for (int i = 0; i < 3; ++i) {
    const BandPoint& b = bands[i];
    const double got[6] = {b.x, b.fitted, b.meanLower, b.meanUpper, b.oneLower, b.oneUpper};
    for (int k = 0; k < 6; ++k) ExpectNear(got[k], expected[i][k]);
  }
  // Two pairs leave no residual variance, so no band.
  EXPECT_TRUE(RegressionBands(Infer({"1", "2"}, {"1", "3"}), 1.0, 2.0, 3).empty());
}

}  // namespace
}  // namespace sumvane
