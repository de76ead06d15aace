// The answer each panel gives beside its statistic: P and the verdict at the
// chosen significance level, or, when the panel has inputs but no statistic
// can be formed, a few words that say why. P comes from the statistic and
// degrees of freedom as the panel shows them, so it agrees with what the user
// reads; the panel and its report ask the same functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "stats/answer_text.h"
#include "stats/fourfold.h"
#include "stats/report_figures.h"
#include "stats/two_sample.h"

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

// t two-sided with the degrees of freedom of the panel; Welch's t′ where the
// variance ratio test finds the variances unequal at α (UnequalVariances).
Answer TwoSampleAnswer(const TwoSampleFigures& figures, std::string_view tText, Alpha alpha);

// The answer of a P at α: P written as the test it comes from names it, and
// the verdict.
Answer AnswerWithP(std::optional<double> p, Alpha alpha, Finding finding,
                   PSource source = PSource::kStatistic);
// No statistic could be formed from the inputs there are: the reason stands
// for the verdict.
Answer AnswerWhyNot(std::string reason);

// The variance ratio test of the figures finds the variances unequal at α,
// so that the pooled t does not apply.
bool UnequalVariances(const TwoSampleFigures& figures, Alpha alpha);

// Chi-square with 1 degree of freedom, or Fisher's exact test where the table
// is too small for it (PrefersExactTest). A chi-square shown as the corrected
// formula gave it names the correction.
Answer ChiSquareAnswer(const FourfoldCells& cells, std::string_view chiSquareText, Alpha alpha);

// Chi-square of the discordant pairs with 1 degree of freedom; named
// corrected as the fourfold one.
Answer PairedChiSquareAnswer(const FourfoldCells& cells, std::string_view chiSquareText,
                             Alpha alpha);

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
