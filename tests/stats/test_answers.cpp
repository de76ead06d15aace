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
  EXPECT_EQ(twoSample.pText, "P=0.0471");
  EXPECT_EQ(twoSample.verdict, "按α=0.05水准，差异有统计学意义");
  EXPECT_EQ(TwoSampleAnswer(Sizes("10", "12", "20"), "2.1160", Alpha::kOnePercent).verdict,
            "按α=0.01水准，差异无统计学意义");

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

// Welch's t′ answers when var.test finds the variances unequal at α.
// Figures from R on data made to these means and standard deviations:
// t.test(var.equal = TRUE) t 2.6311, P 0.014633; var.test P 0.00032366;
// t.test t′ 1.6064387, ν′ 5.3373283, P 0.16539520. With sd2 1.8 of 15:
// var.test P 0.035407; t.test P 0.14669178, and 2 * pt(-1.5047, 28) 0.14359910.
TEST(Answers, WelchAnswersWhereTheVariancesDiffer) {
  const TwoSampleFigures unequal{
      .mean1 = "12", .mean2 = "10", .sd1 = "1", .sd2 = "3", .n1 = "20", .n2 = "6", .degrees = "24"};
  const Answer welch = TwoSampleAnswer(unequal, "2.6311", Alpha::kFivePercent);
  ExpectP(welch, 0.1653951972831);
  EXPECT_EQ(welch.source, PSource::kWelch);
  EXPECT_EQ(welch.pText, "t′检验P=0.1654");
  EXPECT_EQ(welch.verdict, "按α=0.05水准，差异无统计学意义");
  ASSERT_TRUE(welch.welch.has_value());
  EXPECT_NEAR(welch.welch->t, 1.6064386578050, 1e-10);
  EXPECT_NEAR(welch.welch->df, 5.3373282665887, 1e-9);

  // The variance test decides at the α chosen.
  const TwoSampleFigures borderline{.mean1 = "10",
                                    .mean2 = "9.2",
                                    .sd1 = "1",
                                    .sd2 = "1.8",
                                    .n1 = "15",
                                    .n2 = "15",
                                    .degrees = "28"};
  EXPECT_TRUE(UnequalVariances(borderline, Alpha::kFivePercent));
  EXPECT_FALSE(UnequalVariances(borderline, Alpha::kOnePercent));
  EXPECT_EQ(TwoSampleAnswer(borderline, "1.5047", Alpha::kFivePercent).pText, "t′检验P=0.1467");
  const Answer pooled = TwoSampleAnswer(borderline, "1.5047", Alpha::kOnePercent);
  ExpectP(pooled, 0.14359909746);
  EXPECT_EQ(pooled.pText, "P=0.1436");
  EXPECT_FALSE(pooled.welch.has_value());
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
      {TwoSampleAnswer({}, "", a), ""},
      {TwoSampleAnswer(Sizes("10", "", ""), "", a), "例数不足"},
      {TwoSampleAnswer(Sizes("2", "1", "1"), "", a), "自由度不足"},
      {TwoSampleAnswer({.n1 = "10", .n2 = "12", .degrees = "20"}, "", a), "标准误为0或不能计算"},
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

// The hint follows a verdict of P only, for a normality P below 0.05 in
// fewer than 30 values.
TEST(Answers, NormalityHintBelowThirtyValues) {
  struct Case {
    std::optional<double> p, normalityP;
    int n;
    bool hinted;
  };
  const Case cases[] = {
      {0.3, 0.049, 29, true},        {0.3, 0.05, 29, false},         {0.3, 0.01, 30, false},
      {0.3, std::nullopt, 9, false}, {std::nullopt, 0.01, 9, false},
  };
  for (const Case& c : cases) {
    Answer answer = c.p ? AnswerWithP(c.p, Alpha::kFivePercent, Finding::kDifference)
                        : AnswerWhyNot("对子数不足");
    const std::string before = answer.verdict;
    AddNormalityHint(answer, c.normalityP, c.n);
    EXPECT_EQ(answer.verdict, c.hinted ? before + std::string(kNormalityHint) : before)
        << c.n << " " << c.normalityP.value_or(-1);
  }
}

}  // namespace
}  // namespace sumvane
