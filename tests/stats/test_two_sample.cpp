#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "observations_of.h"
#include "stats/number.h"
#include "stats/two_sample.h"

namespace sumvane {
namespace {

std::string WholeFigure(const PanelFigure& figure) {
  return figure.Shown(FigureStyle::kPlain, kWholeFigure);
}

// The pooled-variance t by a second route: each group's variance of the mean
// weighted separately, in long double.
long double PooledT(long double x1, long double x2, long double s1, long double s2, long double n1,
                    long double n2) {
  const long double pooled = ((n1 - 1) * s1 * s1 + (n2 - 1) * s2 * s2) / (n1 + n2 - 2);
  return std::fabs(x1 - x2) / std::sqrt(pooled / n1 + pooled / n2);
}

// The six boxes in the order X1, X2, S1, S2, N1, N2, as typed.
std::array<GroupInputs, 2> Typed(const std::array<const char*, 6>& boxes) {
  auto typed = [](const char* text) { return PanelFigure::Typed(text); };
  return {{{typed(boxes[0]), typed(boxes[2]), typed(boxes[4])},
           {typed(boxes[1]), typed(boxes[3]), typed(boxes[5])}}};
}

struct PanelRow {
  std::array<const char*, 6> boxes;  // X1, X2, S1, S2, N1, N2
  const char* degrees;
  const char* tShown;  // empty: no t can be formed
};

TEST(TwoSampleResult, TypedFigures) {
  const PanelRow rows[] = {
      {{"5.2", "4.1", "1.1", "1.3", "10", "12"}, "20", "2.1160"},
      {{"3", "3.4", "0.5", "0.5", "5", "5"}, "8", "1.2649"},
      {{"3.4", "3", "0.5", "0.5", "5", "5"}, "8", "1.2649"},
      {{"3", "3.1", "0.5", "0.5", "5", "5"}, "8", ".31622"},
      {{"1.3333", "1", ".57735", ".5", "3", "4"}, "5", ".81983"},
      {{"2", "2", "1", "1", "6", "6"}, "10", "0"},
      // Only the sizes typed: the standard error is 0.
      {{"", "", "", "", "10", "12"}, "20", ""},
      {{"5", "3", "1", "1", "2", "1"}, "1", ""},
      {{"5", "3", "1", "1", "1.5", "2"}, "1.5", "1.8516"},
      // Degrees of freedom need a size of at least 1 in each group.
      {{"5", "3", "1", "1", "", ""}, "", ""},
      {{"5", "3", "1", "1", "0", "5"}, "", ""},
      {{"5", "3", "1", "1", "-5", "10"}, "", ""},
      {{"5", "3", "1", "1", "10", ""}, "", ""},
      {{"5", "3", "1", "1", "1", "1"}, "", ""},
      {{"5", "3", "1", "1", "1E+308", "1E+308"}, "", ""},
      {{"1E+308", "-1E308", "1", "1", "5", "5"}, "8", ""},
  };
  for (const PanelRow& row : rows) {
    SCOPED_TRACE(std::string(row.boxes[0]) + " " + row.boxes[1] + " N " + row.boxes[4] + "," +
                 row.boxes[5]);
    const TwoSampleResult result = AnalyseTwoSample(Typed(row.boxes), Alpha::kFivePercent);
    EXPECT_EQ(result.shown.degrees, row.degrees);
    EXPECT_EQ(result.shown.t, row.tShown);
    EXPECT_EQ(result.shown.mean[0], row.boxes[0]);
    if (result.t) {
      const long double expected =
          PooledT(ReadNumber(row.boxes[0]), ReadNumber(row.boxes[1]), ReadNumber(row.boxes[2]),
                  ReadNumber(row.boxes[3]), ReadNumber(row.boxes[4]), ReadNumber(row.boxes[5]));
      EXPECT_NEAR(*result.t, expected, 1e-13L * (1 + expected));
    }
  }
}

// Expected figures from R. The sleep data by group: t.test(var.equal = TRUE)
// t -1.86081346748685, P 0.0791867142159382, interval -3.363874032287598 to
// 0.203874032287599. Typed 5.2, 4.1, 1.1, 1.3, 10, 12: t 2.1160368475758,
// 2 * pt(-t, 20) 0.047080496135625 (the t cut to 2.1160 gave 0.0470840).
TEST(TwoSampleResult, AgreesWithR) {
  const std::vector<double> x = {0.7, -1.6, -0.2, -1.2, -0.1, 3.4, 3.7, 0.8, 0.0, 2.0};
  const std::vector<double> y = {1.9, 0.8, 1.1, 0.1, -0.1, 4.4, 5.5, 1.6, 4.6, 3.4};
  const TwoSampleResult sleep = AnalyseTwoSample(
      {SummariseGroup(ObservationsOf(x)), SummariseGroup(ObservationsOf(y))}, Alpha::kFivePercent);
  EXPECT_NEAR(*sleep.t, 1.86081346748685, 1e-13);
  EXPECT_NEAR(*sleep.answer.p, 0.0791867142159382, 1e-15);
  EXPECT_FALSE(sleep.welchAnswers);
  ASSERT_TRUE(sleep.interval);
  EXPECT_NEAR(sleep.interval->lower, -3.363874032287598, 1e-12);
  EXPECT_NEAR(sleep.interval->upper, 0.203874032287599, 1e-12);
  EXPECT_EQ(sleep.question.statistic, sleep.t);
  EXPECT_EQ(sleep.question.degrees, 18.0);
  EXPECT_EQ(sleep.shown.sd[0], "1.7890");

  const TwoSampleResult typed =
      AnalyseTwoSample(Typed({"5.2", "4.1", "1.1", "1.3", "10", "12"}), Alpha::kFivePercent);
  EXPECT_NEAR(*typed.t, 2.1160368475758, 1e-12);
  EXPECT_NEAR(*typed.answer.p, 0.047080496135625, 1e-14);
  EXPECT_EQ(typed.answer.pText, "P=0.0471");
  EXPECT_EQ(typed.answer.verdict, "按α=0.05水准，差异有统计学意义");
  EXPECT_EQ(AnalyseTwoSample(Typed({"5.2", "4.1", "1.1", "1.3", "10", "12"}), Alpha::kOnePercent)
                .answer.verdict,
            "按α=0.01水准，差异无统计学意义");
}

// Welch's t′ answers when var.test finds the variances unequal at α.
// Figures from R on data made to these means and standard deviations:
// t.test(var.equal = TRUE) t 2.6311, P 0.014633; var.test P 0.00032366;
// t.test t′ 1.6064387, ν′ 5.3373283, P 0.16539520. With sd2 1.8 of 15:
// var.test P 0.035407; t.test P 0.14669178, and the pooled t
// 1.50470958772656 with 2 * pt(-t, 28) 0.143596642126005.
TEST(TwoSampleResult, WelchAnswersWhereTheVariancesDiffer) {
  const TwoSampleResult welch =
      AnalyseTwoSample(Typed({"12", "10", "1", "3", "20", "6"}), Alpha::kFivePercent);
  EXPECT_NEAR(*welch.answer.p, 0.1653951972831, 1e-12);
  EXPECT_EQ(welch.answer.source, PSource::kWelch);
  EXPECT_EQ(welch.answer.pText, "t′检验P=0.1654");
  EXPECT_EQ(welch.answer.verdict, "按α=0.05水准，差异无统计学意义");
  ASSERT_TRUE(welch.welch.has_value());
  EXPECT_NEAR(welch.welch->t, 1.6064386578050, 1e-10);
  EXPECT_NEAR(welch.welch->df, 5.3373282665887, 1e-9);
  // The table points at t′ in the row of ν′.
  EXPECT_NEAR(*welch.question.degrees, 5.3373282665887, 1e-9);

  // The variance test decides at the α chosen.
  const auto borderline = Typed({"10", "9.2", "1", "1.8", "15", "15"});
  const TwoSampleResult atFive = AnalyseTwoSample(borderline, Alpha::kFivePercent);
  EXPECT_TRUE(atFive.unequalVariances);
  EXPECT_EQ(atFive.answer.pText, "t′检验P=0.1467");
  const TwoSampleResult atOne = AnalyseTwoSample(borderline, Alpha::kOnePercent);
  EXPECT_FALSE(atOne.unequalVariances);
  EXPECT_EQ(atOne.answer.pText, "P=0.1436");
  EXPECT_NEAR(*atOne.answer.p, 0.143596642126005, 1e-14);
  EXPECT_FALSE(atOne.answer.welch.has_value());
}

TEST(TwoSampleResult, ReasonsWithoutAStatistic) {
  const Alpha a = Alpha::kFivePercent;
  EXPECT_EQ(AnalyseTwoSample({}, a).answer.verdict, "");
  EXPECT_EQ(AnalyseTwoSample(Typed({"5", "4", "1", "1", "10", ""}), a).answer.verdict, "例数不足");
  EXPECT_EQ(AnalyseTwoSample(Typed({"5", "4", "1", "1", "2", "1"}), a).answer.verdict,
            "自由度不足");
  EXPECT_EQ(AnalyseTwoSample(Typed({"", "", "", "", "10", "12"}), a).answer.verdict,
            "标准误为0或不能计算");
}

struct GroupRow {
  std::vector<double> values;
  const char* n;
  const char* mean;
  const char* sd;
};

TEST(GroupSummary, MeanAndSampleSd) {
  const GroupRow rows[] = {
      {{1, 2, 3, 4}, "4", "2.5", "1.29099444873581"},
      {{2, 4, 6}, "3", "4", "2"},
      {{1, 1, 2}, "3", "1.33333333333333", ".577350269189626"},
      {{5}, "1", "5", ""},
      {{}, "0", "", ""},
      {{1.7e308, -1.7e308}, "2", "0", ""},
      // Large values with a small spread keep the digits of the spread.
      {{1e9 + 0.25, 1e9 + 0.5, 1e9 + 0.75}, "3", "1000000000.5", ".25"},
  };
  for (const GroupRow& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.values));
    const GroupInputs summary = SummariseGroup(ObservationsOf(row.values));
    EXPECT_EQ(WholeFigure(summary.n), row.n);
    EXPECT_EQ(WholeFigure(summary.mean), row.mean);
    EXPECT_EQ(WholeFigure(summary.sd), row.sd);
    if (summary.sd.Value()) {
      // The variance as the mean squared difference over all pairs, halved.
      long double pairs = 0;
      for (double u : row.values)
        for (double v : row.values) pairs += (static_cast<long double>(u) - v) * (u - v);
      const long double n = row.values.size();
      const long double sd = std::sqrt(pairs / (2 * n * (n - 1)));
      EXPECT_NEAR(*summary.sd.Value(), sd, 1e-12L * sd);
    }
  }
  EXPECT_EQ(SummariseGroup(ObservationsOf(std::vector<double>{1, 2, 3, 4}))
                .sd.Shown(FigureStyle::kPlain, kTwoSampleBoxWidth),
            "1.2909");
}

}  // namespace
}  // namespace sumvane
