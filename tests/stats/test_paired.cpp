#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "observations_of.h"
#include "stats/number.h"
#include "stats/paired.h"

namespace sumvane {
namespace {

// What a 6-character panel box keeps of a written figure.
std::string InBox(const std::string& figure) { return ClipText(figure, 6); }

struct PanelRow {
  const char* n;
  const char* d;
  const char* sd;
  const char* seInBox;  // the hidden box; t is formed from it
  const char* tInBox;
};

TEST(PairedPanel, StandardErrorAndTFromTheBoxTexts) {
  const PanelRow rows[] = {
      {"9", "1.2", "1.5", ".5", "2.4"},
      {"9", "-1.2", "1.5", ".5", "2.4"},
      {"10", "2.5", "3.2", "1.0119", "2.4705"},
      {"16", "0.3", "2", ".5", ".6"},
      {"7", "-1.5", "2.2", ".83152", "1.8039"},
      // A single pair forms no t.
      {"1", "-0.00002", "1", "", ""},
      {"1.9", "1.2", "1.5", "", ""},
      // d typed first into empty boxes, and N cleared after a calculation.
      {"", "1.2", "", "", ""},
      {"", "1.2", "1.5", "", ""},
      {"-4", "1.2", "1.5", "", ""},
      {"0", "1.2", "1.5", "", ""},
      // Sd 0 leaves a standard error of 0, and no t.
      {"9", "1.2", "0", "0", ""},
      {"4", "1E+308", ".0002", ".0001", ""},
  };
  for (const PanelRow& row : rows) {
    SCOPED_TRACE(std::string("N ") + row.n + " d " + row.d + " Sd " + row.sd);
    const std::string se = PairedStandardError(row.n, row.sd);
    const std::string seInBox = InBox(se);
    EXPECT_EQ(seInBox, row.seInBox);
    const std::string t = PairedT(row.d, seInBox);
    EXPECT_EQ(InBox(t), row.tInBox);
    if (!se.empty()) {
      const long double exact = ReadNumber(row.sd) / std::sqrt(std::stold(row.n));
      EXPECT_NEAR(ReadNumber(se), exact, 1e-13L * exact);
    }
    if (!t.empty()) {
      // t comes from the cut standard error, not from the exact one.
      const long double exact = std::fabs(ReadNumber(row.d) / std::stold(seInBox));
      EXPECT_NEAR(ReadNumber(t), exact, 1e-13L * exact);
    }
  }
  EXPECT_EQ(PairedStandardError("10", "3.2"), "1.01192885125388");
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
    const PairedSummary summary = SummarisePairs(ObservationsOf(row.x), ObservationsOf(row.y));
    EXPECT_EQ(summary.n, row.n);
    EXPECT_EQ(summary.meanDifference, row.mean);
    EXPECT_EQ(summary.sdDifference, row.sd);
    if (!summary.sdDifference.empty()) {
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
      EXPECT_NEAR(ReadNumber(summary.sdDifference), sd, 1e-13L * sd);
    }
  }
}

TEST(PairedSummary, SdKeepsItsDigitsWhenDifferencesAreLargeAgainstTheirSpread) {
  const std::vector<double> x = {1e8 + 1, 1e8 + 2, 1e8 + 3}, y = {0, 0, 0};
  EXPECT_EQ(SummarisePairs(ObservationsOf(x), ObservationsOf(y)).sdDifference, "1");
  // The sum of squares less the squared sum loses the spread at this size, so
  // the case tells the two forms apart.
  double sum = 0, squares = 0;
  for (double d : x) sum += d, squares += d * d;
  EXPECT_NE(NumberText(std::sqrt((squares - sum * sum / 3) / 2)), "1");
}

// The decimals typed are subtracted exactly, though no double holds them.
TEST(PairedSummary, EqualDifferencesOfDecimalsHaveNoSpread) {
  const std::vector<double> x = {1.1, 2.2, 3.3}, y = {1.0, 2.1, 3.2};
  const PairedSummary summary = SummarisePairs(ObservationsOf(x), ObservationsOf(y));
  EXPECT_EQ(summary.meanDifference, ".1");
  EXPECT_EQ(summary.sdDifference, "0");
}

}  // namespace
}  // namespace sumvane
