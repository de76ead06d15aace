// The rank tests the textbook turns to when normality fails, with every
// figure its worked example shows: the ranks with ties averaged, the rank
// sums, the statistic, its mean and standard deviation under H0 with the tie
// correction, Z with the continuity correction, and P as R gives it by
// default (wilcox.test; cor.test(method = "spearman", exact = FALSE)).
//
// Each test takes the SortedSample of its values, so that one sort per group
// serves every check of a change (sorted_sample.h); the span overloads sort
// for themselves. Rank sums, T and the ranks are whole or half numbers and
// exact.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "stats/sorted_sample.h"

namespace sumvane {

// Exact P below this many values per group (non-zero differences for the
// signed-rank test), as wilcox.test's default.
inline constexpr int kExactRankLimit = 50;

// How P was found: the exact distribution of the statistic (small samples
// without ties, nor zero differences), or the normal approximation with the
// continuity and tie corrections.
enum class RankMethod { kExact, kNormal };

// Normal approximation figures, common to both Wilcoxon tests. They are formed
// whichever method gives P (the report shows them for kNormal):
//   z = (|T - meanT| - 0.5) / correctedSdT, never negative (no 0.5 is taken
//   when T equals its mean). correctedSdT is sdT with the tie correction, and
//   equals it without ties.
struct RankNormalFigures {
  std::optional<double> meanT;
  std::optional<double> sdT;
  std::optional<double> correctedSdT;
  std::optional<double> z;
};

struct RankSumTest {
  // kValueNotFinite or kTooFewValues (a group without values): nothing is
  // formed. kAllValuesEqual (every value the same): ranks and sums are
  // formed, correctedSdT, z and p are not.
  NoFigure failure = NoFigure::kNone;
  int n1 = 0;
  int n2 = 0;
  // The rank of each value in the two groups ranked together, in input
  // order, ties given the mean of the ranks they share.
  std::vector<double> ranks1;
  std::vector<double> ranks2;
  double rankSum1 = 0.0;
  double rankSum2 = 0.0;
  // T is the rank sum of the smaller group (tGroup 1 or 2), as the textbook
  // takes it; with equal sizes either may be taken and group 1's is, so that
  // T and R's W describe the same group. Z and P do not depend on the choice.
  int tGroup = 1;
  double t = 0.0;
  // R's W = rankSum1 - n1(n1 + 1)/2.
  double w = 0.0;
  bool ties = false;
  double tieSum = 0.0;  // Σ(t³ - t) over the groups of tied values
  // c = 1 - Σ(t³ - t)/(N³ - N); correctedSdT = sdT·√c.
  std::optional<double> tieFactor;
  RankMethod method = RankMethod::kNormal;
  // meanT = n_T(N + 1)/2, sdT = √(n1·n2·(N + 1)/12).
  RankNormalFigures normal;
  // Two-sided, as wilcox.test(x, y)$p.value.
  std::optional<double> p;
};

RankSumTest WilcoxonRankSum(const SortedSample& group1, const SortedSample& group2);
RankSumTest WilcoxonRankSum(std::span<const double> group1, std::span<const double> group2);

struct SignedRankTest {
  // kValueNotFinite or kTooFewValues (no pair): nothing is formed.
  // kAllDifferencesZero: the counts are formed, the signed ranks are all 0,
  // nothing else.
  NoFigure failure = NoFigure::kNone;
  int pairs = 0;  // the differences given
  int zeros = 0;  // of them zero, dropped
  int n = 0;      // the rest, which are ranked
  // In input order: the rank of |d| among the non-zero differences, ties
  // averaged, with the sign of d; 0 for a dropped zero difference.
  std::vector<double> signedRanks;
  double tPlus = 0.0;  // R's V
  double tMinus = 0.0;
  bool ties = false;
  double tieSum = 0.0;  // Σ(t³ - t) over the groups of tied |d|
  RankMethod method = RankMethod::kNormal;
  // T = T+; meanT = n(n + 1)/4, sdT = √(n(n + 1)(2n + 1)/24), correctedSdT =
  // √(n(n + 1)(2n + 1)/24 - Σ(t³ - t)/48).
  RankNormalFigures normal;
  // Two-sided, as wilcox.test(x, y, paired = TRUE)$p.value.
  std::optional<double> p;
};

// The differences d = x - y of the pairs. Pass them formed exactly where the
// values allow (PairDifferences in assumption_checks.h), so that 0.3 - 0.1
// and 0.5 - 0.3 tie as the textbook's table has them; R, subtracting doubles,
// ranks those two apart.
SignedRankTest WilcoxonSignedRank(const SortedSample& differences);
SignedRankTest WilcoxonSignedRank(std::span<const double> differences);

struct SpearmanTest {
  // kUnequalLengths, kValueNotFinite or kTooFewValues (fewer than 3 pairs):
  // nothing is formed. kAllValuesEqual (all x or all y the same): the ranks
  // and their squared differences are formed, r_s, t and p are not.
  NoFigure failure = NoFigure::kNone;
  int n = 0;
  // Each column ranked on its own, in input order, ties averaged.
  std::vector<double> ranksX;
  std::vector<double> ranksY;
  // Σd², d the rank differences of a pair: r_s = 1 - 6Σd²/(n³ - n) when
  // there are no ties.
  double sumSquaredRankDifferences = 0.0;
  bool ties = false;
  // The correlation of the ranks, as cor(rank(x), rank(y)), with or without
  // ties.
  std::optional<double> rs;
  // t = r_s·√((n - 2)/(1 - r_s²)) on n - 2 degrees of freedom, the statistic
  // of cor.test(method = "spearman", exact = FALSE); empty when |r_s| = 1.
  std::optional<double> t;
  std::optional<double> df;
  // Two-sided; 0 when |r_s| = 1, as R gives it.
  std::optional<double> p;
};

SpearmanTest SpearmanCorrelation(const SortedSample& x, const SortedSample& y);
SpearmanTest SpearmanCorrelation(std::span<const double> x, std::span<const double> y);

}  // namespace sumvane
