// The worked plan of a study's size: the formula, the user's figures put in,
// n rounded up, the exact answer beside it and the power at a given size, for
// each design; and a sentence, no figure, for inputs that cannot serve.
// Figures from R 4.2.2 (power.t.test, power.prop.test, the formulas).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/sample_size_report.h"
#include "report_test_support.h"

namespace sumvane {
namespace {

using D = StudyDesign;

TEST(SampleSizeReport, EachDesignWorkedOut) {
  struct Case {
    D design;
    SampleSizeTexts texts;
    std::vector<std::string> lines;
  };
  // alpha, power, delta, sigma, p1, p2, rho, ratio, n
  const Case cases[] = {
      {D::kTwoMeans,
       {"0.05", "0.9", "1", "2", "", "", "", "1", "30"},
       {"n = 2×[(1.96+1.282)×2/1]^{2} = 84.06", "每组至少需85例，两组共170例",
        "确切解：每组至少需86例，两组共172例，此时ν=170，1−β=0.9032", "1−β=0.4778"}},
      {D::kPairedMeans,
       {"0.05", "0.85", "10", "14.142135623731", "", "", "", "", ""},
       {"n = [(1.96+1.036)×14.142135623731/10]^{2} = 17.96", "至少需18对", "至少需20对"}},
      {D::kTwoRates,
       {"0.05", "0.9", "", "", "0.3", "0.4", "", "", "100"},
       {"= 476.01", "每组至少需477例", "n′ = ", "= 495.81", "1−β=0.3156"}},
      {D::kPairedRates,
       {"0.05", "0.9", "", "", "0.24", "0.04", "", "", ""},
       {"π_{d} = 0.24+0.04 = 0.28", "= 69.30", "至少需70对"}},
      {D::kCorrelation,
       {"0.05", "0.9", "", "", "", "", "0.5", "", ""},
       {"C = ½ln[(1+0.5)/(1−0.5)] = 0.5493", "= 37.82", "至少需38例"}},
  };
  for (const Case& c : cases) {
    const std::string page =
        Plain(SampleSizeReport(AnswerSampleSize(c.design, TestSides::kTwoSided, c.texts)));
    for (const std::string& line : c.lines) EXPECT_NE(page.find(line), std::string::npos) << line;
  }
}

TEST(SampleSizeReport, FaultsGiveSentencesAndNoFigure) {
  const std::string page = Plain(SampleSizeReport(AnswerSampleSize(
      D::kTwoRates, TestSides::kTwoSided, {"0.05", "0.9", "", "", "0.3", "0.3", "", "", ""})));
  EXPECT_NE(page.find("π₁与π₂不能相等"), std::string::npos);
  EXPECT_EQ(page.find("n ="), std::string::npos);
  EXPECT_EQ(page.find("例，"), std::string::npos);
}

}  // namespace
}  // namespace sumvane
