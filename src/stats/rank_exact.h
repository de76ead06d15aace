// The exact null distributions of the two Wilcoxon statistics, counted
// exactly in whole numbers, as R's pwilcox and psignrank give them.
#pragma once

#include <optional>

namespace sumvane {

// P(W ≤ k) for the rank-sum statistic W = R1 - m(m + 1)/2 of groups of m
// and n values without ties (W runs from 0 to m·n). Empty unless m and n are
// at least 1 and m + n is at most 120, where the counts stay exact.
std::optional<double> RankSumLowerTail(int m, int n, double k);

// P(V ≤ k) for the signed-rank statistic V = T+ of n differences without
// ties or zeros (V runs from 0 to n(n + 1)/2). Empty unless 1 ≤ n ≤ 62.
std::optional<double> SignedRankLowerTail(int n, double k);

// Twice the smaller tail at the observed statistic, at most 1, as
// wilcox.test's two-sided exact P: P(S ≥ s) above the mean, P(S ≤ s) else.
// The distributions are symmetric, so the upper tail is read as the lower.
std::optional<double> RankSumExactP(int m, int n, double w);
std::optional<double> SignedRankExactP(int n, double v);

}  // namespace sumvane
