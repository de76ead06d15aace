// The answer each panel gives beside its statistic: P and the verdict at the
// chosen significance level, or, when the panel has inputs but no statistic
// can be formed, a few words that say why. Each analysis forms its answer
// once, in its result, from the statistic at full precision; the panel and its
// report read that one answer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "stats/answer_text.h"
#include "stats/report_figures.h"

namespace sumvane {

struct Answer {
  std::optional<double> p{};
  PSource source = PSource::kStatistic;
  // Welch's t′ and ν′ when they give P in place of the pooled t on show.
  std::optional<WelchTest> welch{};
  // "P=0.0471", "确切概率P=0.0634"; empty without a P.
  std::string pText{};
  // The verdict, the reason no statistic could be formed, or empty when the
  // panel has no inputs.
  std::string verdict{};
};

// The answer of a P at α: P written as the test it comes from names it, and
// the verdict.
Answer AnswerWithP(std::optional<double> p, Alpha alpha, Finding finding,
                   PSource source = PSource::kStatistic);
// No statistic could be formed from the inputs there are: the reason stands
// for the verdict.
Answer AnswerWhyNot(std::string reason);

// Added to a t-test's verdict when Shapiro–Wilk doubts the normality it
// assumes (P < 0.05) in a sample of fewer than kNormalityHintBelow values,
// where the t-test is not saved by the size of the sample.
inline constexpr std::string_view kNormalityHint = "（正态性存疑，见计算过程）";
inline constexpr int kNormalityHintBelow = 30;
// The hint after a verdict of P, when the normality check of `n` values gave
// `normalityP`.
void AddNormalityHint(Answer& answer, std::optional<double> normalityP, int n);

// Said when two groups of different lengths cannot be paired.
inline constexpr std::string_view kUnequalGroups = "两组例数不等";

}  // namespace sumvane
