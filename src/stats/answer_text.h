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

// The test P comes from, named before it where the statistic box does not say
// it: Welch's t′ beside the pooled t on show, the continuity-corrected
// chi-square, an exact test in place of chi-square.
enum class PSource { kStatistic, kWelch, kCorrectedChiSquare, kExact };

// "P=0.0471": P read to 15 significant digits as IsSignificant reads it, then
// rounded half up to four decimals; where that would read as a significance
// level (0.0500, 0.0100), as many more decimals as show on which side of it P
// lies, "P=0.04996"; "P<0.0001" below 0.00005; "P=1.0000" at 1. Named by its
// source: "t′检验P=0.1654", "校正χ²检验P=0.0413", "确切概率P=0.0634". Empty
// when there is no P.
std::string PText(const std::optional<double>& p, PSource source = PSource::kStatistic);

// What a significant result says: a difference, or a correlation.
enum class Finding { kDifference, kCorrelation };

// "按α=0.05水准，差异有统计学意义" when P < α, "…差异无统计学意义" otherwise;
// "相关" in place of "差异" for a correlation. Empty when there is no P.
std::string VerdictText(const std::optional<double>& p, Alpha alpha, Finding finding);

}  // namespace sumvane
