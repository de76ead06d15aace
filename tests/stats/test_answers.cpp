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

TwoSampleFigures Sizes(std::string_view n1, std::string_view n2, std::string_view degrees) {
  return {
      .mean1 = "5", .mean2 = "4", .sd1 = "1", .sd2 = "1", .n1 = n1, .n2 = n2, .degrees = degrees};
}

// Expected P values from R: 2 * pt(-|t|, df), pchisq(x, 1, lower.tail = FALSE),
// fisher.test(matrix(c(a, c, b, d), 2))$p.value.
TEST(Answers, PFromTheStatisticAsShown) {
  const Alpha a = Alpha::kFivePercent;
  const Answer twoSample = TwoSampleAnswer(Sizes("10", "12", "20"), "2.1160", a);
  ExpectP(twoSample, 0.047083976919517677);
  EXPECT_EQ(twoSample.pText, "P=0.0470");
  EXPECT_EQ(twoSample.verdict, "按α=0.05水准，差异有统计学意义");
  EXPECT_EQ(TwoSampleAnswer(Sizes("10", "12", "20"), "2.1160", Alpha::kOnePercent).verdict,
            "按α=0.01水准，差异无统计学意义");

  ExpectP(PairedAnswer("9", "1.2", "1.5", "2.4", a), 0.043176727827846685);
  const Answer correlation = CorrelationAnswer("5", "0.7745", "2.1213", a);
  ExpectP(correlation, 0.12402945543010754);
  EXPECT_EQ(correlation.verdict, "按α=0.05水准，相关无统计学意义");

  const Answer large = ChiSquareAnswer({"20", "10", "15", "25"}, "5.8333", a);
  ExpectP(large, 0.01572559770383641);
  EXPECT_FALSE(large.exact);
  const Answer small = ChiSquareAnswer({"12", "5", "4", "9"}, "4.6929", a);
  ExpectP(small, 0.063358379289887329);
  EXPECT_TRUE(small.exact);
  EXPECT_EQ(small.pText, "确切概率P=0.0633");
  EXPECT_EQ(small.verdict, "按α=0.05水准，差异无统计学意义");
  ExpectP(PairedChiSquareAnswer({"25", "8", "16", "31"}, "2.0416", a), 0.1530485906427389);
  // An empty row leaves no chi-square, but the exact test still answers.
  ExpectP(ChiSquareAnswer({"0", "0", "30", "40"}, "", a), 1.0);
}

TEST(Answers, WhyNoStatisticCouldBeFormed) {
  const Alpha a = Alpha::kFivePercent;
  struct Case {
    Answer answer;
    const char* verdict;
  };
  const Case cases[] = {
      {TwoSampleAnswer({}, "", a), ""},
      {TwoSampleAnswer(Sizes("10", "", ""), "", a), "例数不足"},
      {TwoSampleAnswer(Sizes("2", "1", "1"), "", a), "自由度不足"},
      {TwoSampleAnswer({.n1 = "10", .n2 = "12", .degrees = "20"}, "", a), "标准误为0或不能计算"},
      {PairedAnswer("", "", "", "", a), ""},
      {PairedAnswer("1", "2", "", "", a), "对子数不足"},
      {PairedAnswer("5", "1", "0", "", a), "标准误为0或不能计算"},
      {CorrelationAnswer("3", "", "", a), "r不能计算"},
      {CorrelationAnswer("3", "-1", "", a), "完全相关，tr不能计算"},
      {CorrelationAnswer("2", "0.5", "", a), "例数不足"},
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
