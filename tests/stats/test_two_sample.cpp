#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "observations_of.h"
#include "stats/number.h"
#include "stats/two_sample.h"

namespace sumvane {
namespace {

// What a 6-character panel box keeps of a written figure.
std::string InBox(const std::string& figure) { return ClipText(figure, 6); }

// The pooled-variance t by a second route: each group's variance of the mean
// weighted separately, in long double.
long double PooledT(long double x1, long double x2, long double s1, long double s2, long double n1,
                    long double n2) {
  const long double pooled = ((n1 - 1) * s1 * s1 + (n2 - 1) * s2 * s2) / (n1 + n2 - 2);
  return std::fabs(x1 - x2) / std::sqrt(pooled / n1 + pooled / n2);
}

// The panel's figures from the six boxes in the order X1, X2, S1, S2, N1, N2.
TwoSampleFigures Figures(const std::array<std::string_view, 6>& boxes, std::string_view degrees) {
  return {.mean1 = boxes[0],
          .mean2 = boxes[1],
          .sd1 = boxes[2],
          .sd2 = boxes[3],
          .n1 = boxes[4],
          .n2 = boxes[5],
          .degrees = degrees};
}

struct PanelRow {
  std::array<std::string_view, 6> boxes;  // X1, X2, S1, S2, N1, N2
  const char* degrees;
  const char* tInBox;  // empty: no t can be formed
};

TEST(TwoSamplePanel, DegreesAndTFromTheBoxTexts) {
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
      // Degrees of freedom need a size of at least 1 in each group.
      {{"5", "3", "1", "1", "", ""}, "", ""},
      {{"5", "3", "1", "1", "0", "5"}, "", ""},
      {{"5", "3", "1", "1", "-5", "10"}, "", ""},
      {{"5", "3", "1", "1", "10", ""}, "", ""},
      {{"5", "3", "1", "1", "1", "1"}, "", ""},
      {{"1E+308", "-1E308", "1", "1", "5", "5"}, "8", ""},
  };
  for (const PanelRow& row : rows) {
    SCOPED_TRACE(std::string(row.boxes[0]) + " " + std::string(row.boxes[1]) + " N " +
                 std::string(row.boxes[4]) + "," + std::string(row.boxes[5]));
    const std::string degrees = InBox(TwoSampleDegrees(row.boxes[4], row.boxes[5]));
    EXPECT_EQ(degrees, row.degrees);
    const std::string t = TwoSampleT(Figures(row.boxes, degrees));
    EXPECT_EQ(InBox(t), row.tInBox);
    if (!t.empty()) {
      const long double expected =
          PooledT(ReadNumber(row.boxes[0]), ReadNumber(row.boxes[1]), ReadNumber(row.boxes[2]),
                  ReadNumber(row.boxes[3]), ReadNumber(row.boxes[4]), ReadNumber(row.boxes[5]));
      EXPECT_NEAR(ReadNumber(t), expected, 1e-13L * (1 + expected));
    }
  }
}

TEST(TwoSamplePanel, TKeepsAllItsDigitsForTheBoxToCut) {
  EXPECT_EQ(TwoSampleT(Figures({"5.2", "4.1", "1.1", "1.3", "10", "12"}, "20")), "2.1160368475758");
}

TEST(TwoSamplePanel, DegreesTextDecidesWhetherTIsFormed) {
  const std::array<std::string_view, 6> boxes = {"5", "3", "1", "1", "2", "2"};
  EXPECT_EQ(TwoSampleT(Figures(boxes, "1")), "");
  EXPECT_EQ(TwoSampleT(Figures(boxes, "1.0001")), TwoSampleT(Figures(boxes, "2")));
  EXPECT_EQ(TwoSampleDegrees("1.5", "2"), "1.5");
  EXPECT_EQ(TwoSampleDegrees("1E+308", "1E+308"), "");
  EXPECT_EQ(TwoSampleDegrees(10, 0), "");
  EXPECT_EQ(TwoSampleDegrees(1, 2), "1");
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
    const GroupSummary summary = SummariseGroup(ObservationsOf(row.values));
    EXPECT_EQ(summary.n, row.n);
    EXPECT_EQ(summary.mean, row.mean);
    EXPECT_EQ(summary.sd, row.sd);
    if (!summary.sd.empty()) {
      // The variance as the mean squared difference over all pairs, halved.
      long double pairs = 0;
      for (double u : row.values)
        for (double v : row.values) pairs += (static_cast<long double>(u) - v) * (u - v);
      const long double n = row.values.size();
      const long double sd = std::sqrt(pairs / (2 * n * (n - 1)));
      EXPECT_NEAR(ReadNumber(summary.sd), sd, 1e-12L * sd);
    }
  }
  EXPECT_EQ(InBox(SummariseGroup(ObservationsOf(std::vector<double>{1, 2, 3, 4})).sd), "1.2909");
  EXPECT_EQ(InBox(SummariseGroup(ObservationsOf(std::vector<double>{1, 1, 2})).mean), "1.3333");
}

}  // namespace
}  // namespace sumvane
