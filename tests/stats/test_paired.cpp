#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "observations_of.h"
#include "stats/number.h"
#include "stats/paired.h"

namespace sumvane {
namespace {

std::string WholeFigure(const PanelFigure& figure) {
  return figure.Shown(FigureStyle::kPlain, kWholeFigure);
}

PairedInputs Typed(const char* n, const char* d, const char* sd) {
  return {.n = PanelFigure::Typed(n),
          .meanDifference = PanelFigure::Typed(d),
          .sdDifference = PanelFigure::Typed(sd)};
}

struct PanelRow {
  const char* n;
  const char* d;
  const char* sd;
  const char* seShown;  // the hidden box
  const char* tShown;
  double p;  // R: 2 * pt(-|t|, n - 1); 0 for none
};

// Figures typed into the boxes are used as typed; the standard error and t
// are formed at full precision and only shown cut.
TEST(PairedResult, TypedFigures) {
  const PanelRow rows[] = {
      {"9", "1.2", "1.5", ".5", "2.4", 0.0431767278278467},
      {"9", "-1.2", "1.5", ".5", "2.4", 0.0431767278278467},
      {"10", "2.5", "3.2", "1.0119", "2.4705", 0},
      {"7", "-1.5", "2.2", ".83152", "1.8039", 0.12129191400152},
      // A single pair forms no t.
      {"1", "-0.00002", "1", "", "", 0},
      {"1.9", "1.2", "1.5", "", "", 0},
      // d typed first into empty boxes, and N cleared after a calculation.
      {"", "1.2", "", "", "", 0},
      {"-4", "1.2", "1.5", "", "", 0},
      // Sd 0 leaves a standard error of 0, and no t.
      {"9", "1.2", "0", "0", "", 0},
      {"4", "1E+308", ".0002", ".0001", "", 0},
  };
  for (const PanelRow& row : rows) {
    SCOPED_TRACE(std::string("N ") + row.n + " d " + row.d + " Sd " + row.sd);
    const PairedResult result = AnalysePaired(Typed(row.n, row.d, row.sd), Alpha::kFivePercent);
    EXPECT_EQ(result.shown.standardError, row.seShown);
    EXPECT_EQ(result.shown.t, row.tShown);
    EXPECT_EQ(result.shown.n, row.n);
    if (row.p > 0) {
      EXPECT_NEAR(*result.answer.p, row.p, 1e-12 * row.p);
    }
  }
}

// R's sleep data: t from the full standard error is 4.06213, where a
// standard error cut to its box (.38895) gave 4.0622.
TEST(PairedResult, SleepDataAgreeWithR) {
  const std::vector<double> x = {0.7, -1.6, -0.2, -1.2, -0.1, 3.4, 3.7, 0.8, 0.0, 2.0};
  const std::vector<double> y = {1.9, 0.8, 1.1, 0.1, -0.1, 4.4, 5.5, 1.6, 4.6, 3.4};
  const PairedResult result =
      AnalysePaired(SummarisePairs(ObservationsOf(x), ObservationsOf(y)), Alpha::kFivePercent);
  EXPECT_NEAR(*result.t, 4.06212768338204, 1e-12);
  EXPECT_NEAR(*result.answer.p, 0.00283289019738427, 1e-15);
  EXPECT_EQ(result.shown.t, "4.0621");
  EXPECT_EQ(result.shown.sdDifference, "1.2299");
  EXPECT_EQ(result.answer.pText, "P=0.0028");
  ASSERT_TRUE(result.interval);
  EXPECT_NEAR(result.interval->lower, -2.459885763276982, 1e-12);
  EXPECT_NEAR(result.interval->upper, -0.700114236723018, 1e-12);
  EXPECT_EQ(result.question.statistic, result.t);
  EXPECT_EQ(result.question.degrees, 9.0);
}

TEST(PairedResult, ReasonsWithoutAStatistic) {
  const Alpha a = Alpha::kFivePercent;
  EXPECT_EQ(AnalysePaired({}, a).answer.verdict, "");
  EXPECT_EQ(AnalysePaired(Typed("1", "2", ""), a).answer.verdict, "对子数不足");
  EXPECT_EQ(AnalysePaired(Typed("5", "1", "0"), a).answer.verdict, "标准误为0或不能计算");
  EXPECT_EQ(AnalysePaired({.unequalGroups = true}, a).answer.verdict, "两组例数不等");
}

struct PairsRow {
  std::vector<double> x, y;
  const char* n;
  const char* mean;
  const char* sd;
};

TEST(PairedSummary, FiguresOfTheDifferences) {
  const PairsRow rows[] = {
      {{10, 12, 9}, {8, 11, 9}, "3", "1", "1"},
      {{1, 2}, {1.5, 2.5}, "2", "-.5", "0"},
      {{5}, {3}, "1", "2", ""},
      {{}, {}, "0", "", ""},
      {{1, 2, 3}, {1, 2}, "", "", ""},
      {{1e308}, {-1e308}, "1", "", ""},
      {{1e8 + 1, 1e8 + 2, 1e8 + 3}, {0, 0, 0}, "3", "100000002", "1"},
      {{3.5, 7, 1.25, 9}, {1, 2.5, 4, 3}, "4", "2.5625", "3.820858324164"},
  };
  for (const PairsRow& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.x) + " - " + testing::PrintToString(row.y));
    const PairedResult summary = AnalysePaired(
        SummarisePairs(ObservationsOf(row.x), ObservationsOf(row.y)), Alpha::kFivePercent);
    EXPECT_EQ(summary.shown.n, row.n);
    EXPECT_EQ(WholeFigure(summary.inputs.meanDifference), row.mean);
    EXPECT_EQ(WholeFigure(summary.inputs.sdDifference), row.sd);
    if (summary.inputs.sdDifference.Value()) {
      // The variance as the mean squared difference over all pairs of d, halved.
      long double pairs = 0;
      const std::size_t n = row.x.size();
      for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) {
          const long double gap = (static_cast<long double>(row.x[i]) - row.y[i]) -
                                  (static_cast<long double>(row.x[j]) - row.y[j]);
          pairs += gap * gap;
        }
      const long double sd = std::sqrt(pairs / (2.0L * n * (n - 1)));
      EXPECT_NEAR(*summary.inputs.sdDifference.Value(), sd, 1e-13L * sd);
    }
  }
}

TEST(PairedSummary, SdKeepsItsDigitsWhenDifferencesAreLargeAgainstTheirSpread) {
  const std::vector<double> x = {1e8 + 1, 1e8 + 2, 1e8 + 3}, y = {0, 0, 0};
  EXPECT_EQ(WholeFigure(SummarisePairs(ObservationsOf(x), ObservationsOf(y)).sdDifference), "1");
  // The sum of squares less the squared sum loses the spread at this size, so
  // the case tells the two forms apart.
  double sum = 0, squares = 0;
  for (double d : x) sum += d, squares += d * d;
  EXPECT_NE(NumberText(std::sqrt((squares - sum * sum / 3) / 2)), "1");
}

// The decimals typed are subtracted exactly, though no double holds them.
TEST(PairedSummary, EqualDifferencesOfDecimalsHaveNoSpread) {
  const std::vector<double> x = {1.1, 2.2, 3.3}, y = {1.0, 2.1, 3.2};
  const PairedInputs summary = SummarisePairs(ObservationsOf(x), ObservationsOf(y));
  EXPECT_EQ(WholeFigure(summary.meanDifference), ".1");
  EXPECT_EQ(WholeFigure(summary.sdDifference), "0");
}

}  // namespace
}  // namespace sumvane
