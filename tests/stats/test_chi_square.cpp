#include <gtest/gtest.h>

#include <optional>

#include "stats/chi_square.h"
#include "stats/paired_chi_square.h"

namespace sumvane {
namespace {

constexpr Alpha k5 = Alpha::kFivePercent;

ChiSquareResult ChiSquare(const FourfoldCells& cells,
                          std::optional<PanelFigure> typed = std::nullopt) {
  return AnalyseChiSquare(TableOf(cells), typed, k5);
}

PairedChiSquareResult Paired(const FourfoldCells& cells) {
  return AnalysePairedChiSquare(TableOf(cells), k5);
}

void ExpectP(const Answer& answer, double p) {
  ASSERT_TRUE(answer.p.has_value());
  EXPECT_NEAR(*answer.p, p, 1e-12 * p);
}

// Expected figures from R 4.2.2, at full precision: chisq.test (correct =
// FALSE, and with Yates' correction), fisher.test, mcnemar.test and
// binom.test(b, b + c); pchisq(4.1, 1, lower.tail = FALSE) for a typed χ².
TEST(ChiSquareResult, AgreesWithR) {
  const ChiSquareResult large = ChiSquare({"20", "10", "15", "25"});
  EXPECT_NEAR(*large.formula.chiSquare, 5.833333333333334, 1e-13);
  ExpectP(large.answer, 0.01572529975450535);
  EXPECT_EQ(large.answer.source, PSource::kStatistic);
  EXPECT_EQ(large.shown.chiSquare, "5.8333");
  ASSERT_TRUE(large.exact);
  EXPECT_NEAR(large.exact->p, 0.02895007698720332, 1e-14);
  EXPECT_EQ(large.question.statistic, large.formula.chiSquare);

  // Below n = 40 the exact test answers, and the table points at no cell.
  const ChiSquareResult small = ChiSquare({"12", "5", "4", "9"});
  ExpectP(small.answer, 0.06335837928988733);
  EXPECT_EQ(small.answer.pText, "确切概率P=0.0634");
  EXPECT_EQ(small.answer.verdict, "按α=0.05水准，差异无统计学意义");
  EXPECT_FALSE(small.question.degrees);

  const ChiSquareResult corrected = ChiSquare({"30", "10", "2", "5"});
  EXPECT_NEAR(*corrected.formula.chiSquare, 3.966411830357143, 1e-13);
  ExpectP(corrected.answer, 0.04641658245248841);
  EXPECT_EQ(corrected.answer.pText, "校正χ²检验P=0.0464");
  // A figure typed over the box is not the formula's.
  const ChiSquareResult typed = ChiSquare({"30", "10", "2", "5"}, PanelFigure::Typed("4.1"));
  ExpectP(typed.answer, 0.04288321352740011);
  EXPECT_EQ(typed.answer.pText, "P=0.0429");
  EXPECT_EQ(typed.shown.chiSquare, "4.1");

  // An empty row leaves no chi-square, but the exact test still answers.
  ExpectP(ChiSquare({"0", "0", "30", "40"}).answer, 1.0);

  const PairedChiSquareResult paired = Paired({"25", "8", "16", "31"});
  EXPECT_NEAR(*paired.formula.chiSquare, 2.041666666666667, 1e-13);
  ExpectP(paired.answer, 0.1530418841588212);
  EXPECT_EQ(paired.answer.pText, "校正χ²检验P=0.1530");
  EXPECT_NEAR(*paired.binomialP, 0.1515896320343019, 1e-14);
  EXPECT_EQ(paired.shown.chiSquare, "2.0416");
  const PairedChiSquareResult basic = Paired({"10", "30", "15", "20"});
  ExpectP(basic.answer, 0.0253473186774683);
  EXPECT_EQ(basic.answer.pText, "P=0.0253");
}

TEST(ChiSquareResult, WhyNoStatisticCouldBeFormed) {
  struct Case {
    Answer answer;
    const char* verdict;
  };
  const Case cases[] = {
      {ChiSquare({"", "", "", ""}).answer, ""},
      {ChiSquare({"-3", "10", "5", "9"}).answer, "频数不能为负"},
      {ChiSquare({"0", "0", "30.5", "40"}).answer, "行或列合计为0"},
      {ChiSquare({"20000", "10000", "10000", "5000"}).answer, "总例数超出范围"},
      {Paired({"7", "0", "0", "9"}).answer, "无不一致的对子"},
      {Paired({"7", "-1", "0", "9"}).answer, "频数不能为负"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.answer.p.has_value()) << c.verdict;
    EXPECT_EQ(c.answer.pText, "");
    EXPECT_EQ(c.answer.verdict, c.verdict);
  }
}

}  // namespace
}  // namespace sumvane
