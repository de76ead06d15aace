// The texts that give a test's answer beside its statistic: the P value and the
// verdict at the chosen significance level. A P outside [0, 1] or NaN counts
// as no P.
#pragma once

#include <optional>
#include <string>

namespace sumvane {

// The significance levels the user can choose.
enum class Alpha { kFivePercent, kOnePercent };

double AlphaLevel(Alpha alpha);
// "α=0.05" or "α=0.01".
std::string AlphaText(Alpha alpha);

// P is read as the window shows every figure, rounded to 15 significant
// digits, so that the texts below never contradict each other: a P shown as
// 0.0500 is not below 0.05. A value that is no probability is not significant.
bool IsSignificant(double p, Alpha alpha);

// "P=0.0470": P cut, not rounded, to four decimals; "P<0.0001" when the cut
// leaves 0.0000; "P=1.0000" at 1. Empty when there is no P.
std::string PText(const std::optional<double>& p);

// The same for an exact test: "确切概率P=0.0633", "确切概率P<0.0001".
std::string ExactPText(const std::optional<double>& p);

// What a significant result says: a difference, or a correlation.
enum class Finding { kDifference, kCorrelation };

// "按α=0.05水准，差异有统计学意义" when P < α, "…差异无统计学意义" otherwise;
// "相关" in place of "差异" for a correlation. Empty when there is no P.
std::string VerdictText(const std::optional<double>& p, Alpha alpha, Finding finding);

}  // namespace sumvane
