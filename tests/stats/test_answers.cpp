#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "stats/answers.h"

namespace sumvane {
namespace {

void ExpectP(const Answer& answer, double p) {
  ASSERT_TRUE(answer.p.has_value());
  EXPECT_NEAR(*answer.p, p, 1e-10 * p);
}

// Expected P values from R: 2 * pt(-|t|, df), pchisq(x, 1, lower.tail = FALSE),
// fisher.test(matrix(c(a, c, b, d), 2))$p.value.
TEST(Answers, PFromTheStatisticAsShown) {
  const Alpha a = Alpha::kFivePercent;
  const Answer large = ChiSquareAnswer({"20", "10", "15", "25"}, "5.8333", a);
  ExpectP(large, 0.01572559770383641);
  EXPECT_EQ(large.source, PSource::kStatistic);
  const Answer small = ChiSquareAnswer({"12", "5", "4", "9"}, "4.6929", a);
  ExpectP(small, 0.063358379289887329);
  EXPECT_EQ(small.source, PSource::kExact);
  EXPECT_EQ(small.pText, "确切概率P=0.0634");
  EXPECT_EQ(small.verdict, "按α=0.05水准，差异无统计学意义");
  ExpectP(PairedChiSquareAnswer({"25", "8", "16", "31"}, "2.0416", a), 0.1530485906427389);
  // An empty row leaves no chi-square, but the exact test still answers.
  ExpectP(ChiSquareAnswer({"0", "0", "30", "40"}, "", a), 1.0);
}

// chisq.test(matrix(c(30, 2, 10, 5), 2)) with Yates' correction: 3.9664118;
// pchisq(3.9664, 1, lower.tail = FALSE) 0.046416909. mcnemar.test(correct =
// FALSE) of b 30, c 15: 5, P 0.025347.
TEST(Answers, TheCorrectedChiSquareIsNamed) {
  const Alpha a = Alpha::kFivePercent;
  const Answer corrected = ChiSquareAnswer({"30", "10", "2", "5"}, "3.9664", a);
  ExpectP(corrected, 0.04641690860);
  EXPECT_EQ(corrected.pText, "校正χ²检验P=0.0464");
  // A figure typed over the box is not the formula's.
  EXPECT_EQ(ChiSquareAnswer({"30", "10", "2", "5"}, "4.1", a).pText, "P=0.0429");
  EXPECT_EQ(PairedChiSquareAnswer({"25", "8", "16", "31"}, "2.0416", a).pText,
            "校正χ²检验P=0.1530");
  EXPECT_EQ(PairedChiSquareAnswer({"10", "30", "15", "20"}, "5", a).pText, "P=0.0253");
}

TEST(Answers, WhyNoStatisticCouldBeFormed) {
  const Alpha a = Alpha::kFivePercent;
  struct Case {
    Answer answer;
    const char* verdict;
  };
  const Case cases[] = {
      {ChiSquareAnswer({"", "", "", ""}, "", a), ""},
      {ChiSquareAnswer({"-3", "10", "5", "9"}, "", a), "频数不能为负"},
      {ChiSquareAnswer({"0", "0", "30.5", "40"}, "", a), "行或列合计为0"},
      {ChiSquareAnswer({"20000", "10000", "10000", "5000"}, "", a), "总例数超出范围"},
      {PairedChiSquareAnswer({"7", "0", "0", "9"}, "", a), "无不一致的对子"},
      {PairedChiSquareAnswer({"7", "-1", "0", "9"}, "", a), "频数不能为负"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.answer.p.has_value()) << c.verdict;
    EXPECT_EQ(c.answer.pText, "");
    EXPECT_EQ(c.answer.verdict, c.verdict);
  }
}

}  // namespace
}  // namespace sumvane
