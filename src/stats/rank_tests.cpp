#include "stats/rank_tests.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>

#include "stats/arithmetic.h"
#include "stats/p_values.h"
#include "stats/rank_exact.h"

namespace sumvane {
namespace {

int Count(std::size_t size) { return static_cast<int>(std::min<std::size_t>(size, INT_MAX)); }

// The mean rank of positions start + 1 .. start + t.
double MeanRank(std::size_t start, std::size_t t) {
  return (2.0 * static_cast<double>(start) + 1.0 + static_cast<double>(t)) / 2.0;
}

// z = (|T - mean| - 0.5)/σ; the 0.5 is not taken when T equals its mean, as
// R's sign(z)·0.5. T - mean is a multiple of 0.5, so z is never negative.
std::optional<double> CorrectedZ(double t, double mean, const std::optional<double>& sd) {
  const double distance = std::fabs(t - mean);
  return Divide(distance > 0.0 ? distance - 0.5 : 0.0, sd);
}

// The length of the run of values equal to `value` from index k of `from`;
// advances k past it.
std::size_t RunLength(std::span<const double> from, std::size_t& k, double value) {
  const std::size_t start = k;
  while (k < from.size() && from[k] == value) ++k;
  return k - start;
}

}  // namespace

RankSumTest WilcoxonRankSum(const SortedSample& group1, const SortedSample& group2) {
  RankSumTest test;
  test.n1 = Count(group1.Size());
  test.n2 = Count(group2.Size());
  if (!group1.Finite() || !group2.Finite()) {
    test.failure = NoFigure::kValueNotFinite;
    return test;
  }
  if (test.n1 == 0 || test.n2 == 0) {
    test.failure = NoFigure::kTooFewValues;
    return test;
  }
  // The two ordered groups merged: each run of equal values, from either
  // group, shares the mean of its ranks.
  const std::span<const double> a = group1.Values();
  const std::span<const double> b = group2.Values();
  test.ranks1.resize(a.size());
  test.ranks2.resize(b.size());
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() || j < b.size()) {
    const double value = j == b.size() || (i < a.size() && a[i] < b[j]) ? a[i] : b[j];
    const std::size_t firstA = i;
    const std::size_t firstB = j;
    const std::size_t fromA = RunLength(a, i, value);
    const std::size_t fromB = RunLength(b, j, value);
    const std::size_t t = fromA + fromB;
    const double rank = MeanRank(firstA + firstB, t);
    for (std::size_t k = firstA; k < i; ++k) test.ranks1[group1.Positions()[k]] = rank;
    for (std::size_t k = firstB; k < j; ++k) test.ranks2[group2.Positions()[k]] = rank;
    test.rankSum1 += static_cast<double>(fromA) * rank;
    test.rankSum2 += static_cast<double>(fromB) * rank;
    if (t > 1) {
      test.ties = true;
      test.tieSum += TieTerm(t);
    }
  }
  const double n1 = test.n1;
  const double n2 = test.n2;
  const double total = n1 + n2;
  test.tGroup = test.n2 < test.n1 ? 2 : 1;
  test.t = test.tGroup == 1 ? test.rankSum1 : test.rankSum2;
  test.w = test.rankSum1 - n1 * (n1 + 1.0) / 2.0;

  test.tieFactor = 1.0 - test.tieSum / (total * total * total - total);
  test.normal.meanT = (test.tGroup == 1 ? n1 : n2) * (total + 1.0) / 2.0;
  test.normal.sdT = std::sqrt(n1 * n2 * (total + 1.0) / 12.0);
  if (*test.tieFactor > 0.0) {
    test.normal.correctedSdT = *test.normal.sdT * std::sqrt(*test.tieFactor);
    test.normal.z = CorrectedZ(test.t, *test.normal.meanT, test.normal.correctedSdT);
  }
  if (test.n1 < kExactRankLimit && test.n2 < kExactRankLimit && !test.ties) {
    test.method = RankMethod::kExact;
    test.p = RankSumExactP(test.n1, test.n2, test.w);
  } else if (test.normal.z) {
    test.p = TwoSidedNormalP(*test.normal.z);
  } else {
    test.failure = NoFigure::kAllValuesEqual;
  }
  return test;
}

RankSumTest WilcoxonRankSum(std::span<const double> group1, std::span<const double> group2) {
  return WilcoxonRankSum(SortedSample(group1), SortedSample(group2));
}

SignedRankTest WilcoxonSignedRank(const SortedSample& differences) {
  SignedRankTest test;
  test.pairs = Count(differences.Size());
  if (!differences.Finite()) {
    test.failure = NoFigure::kValueNotFinite;
    return test;
  }
  if (test.pairs == 0) {
    test.failure = NoFigure::kTooFewValues;
    return test;
  }
  // Ordered by |d|: the negative differences from the zeros outwards, merged
  // with the positive ones; a negative and a positive of one size tie.
  const std::span<const double> d = differences.Values();
  const std::span<const std::int32_t> at = differences.Positions();
  std::size_t negatives = 0;
  while (negatives < d.size() && d[negatives] < 0.0) ++negatives;
  std::size_t positive = negatives;
  while (positive < d.size() && d[positive] == 0.0) ++positive;
  test.zeros = Count(positive - negatives);
  test.n = test.pairs - test.zeros;
  test.signedRanks.assign(d.size(), 0.0);
  if (test.n == 0) {
    test.failure = NoFigure::kAllDifferencesZero;
    return test;
  }
  std::size_t negative = negatives;  // d[negative - 1] is the next by |d|
  std::size_t ranked = 0;
  while (negative > 0 || positive < d.size()) {
    const double size = positive == d.size() || (negative > 0 && -d[negative - 1] < d[positive])
                            ? -d[negative - 1]
                            : d[positive];
    std::size_t fromNegative = 0;
    for (; negative > 0 && -d[negative - 1] == size; ++fromNegative) --negative;
    const std::size_t firstPositive = positive;
    const std::size_t fromPositive = RunLength(d, positive, size);
    const std::size_t t = fromNegative + fromPositive;
    const double rank = MeanRank(ranked, t);
    for (std::size_t k = 0; k < fromNegative; ++k) test.signedRanks[at[negative + k]] = -rank;
    for (std::size_t k = firstPositive; k < positive; ++k) test.signedRanks[at[k]] = rank;
    test.tMinus += static_cast<double>(fromNegative) * rank;
    test.tPlus += static_cast<double>(fromPositive) * rank;
    if (t > 1) {
      test.ties = true;
      test.tieSum += TieTerm(t);
    }
    ranked += t;
  }
  const double n = test.n;
  const double variance = n * (n + 1.0) * (2.0 * n + 1.0) / 24.0;
  test.normal.meanT = n * (n + 1.0) / 4.0;
  test.normal.sdT = std::sqrt(variance);
  // Positive for every n ≥ 1, even with every |d| tied.
  test.normal.correctedSdT = std::sqrt(variance - test.tieSum / 48.0);
  test.normal.z = CorrectedZ(test.tPlus, *test.normal.meanT, test.normal.correctedSdT);
  if (test.n < kExactRankLimit && !test.ties && test.zeros == 0) {
    test.method = RankMethod::kExact;
    test.p = SignedRankExactP(test.n, test.tPlus);
  } else {
    test.p = TwoSidedNormalP(*test.normal.z);
  }
  return test;
}

SignedRankTest WilcoxonSignedRank(std::span<const double> differences) {
  return WilcoxonSignedRank(SortedSample(differences));
}

SpearmanTest SpearmanCorrelation(const SortedSample& x, const SortedSample& y) {
  SpearmanTest test;
  if (x.Size() != y.Size()) {
    test.failure = NoFigure::kUnequalLengths;
    return test;
  }
  test.n = Count(x.Size());
  if (!x.Finite() || !y.Finite()) {
    test.failure = NoFigure::kValueNotFinite;
    return test;
  }
  if (test.n < 3) {
    test.failure = NoFigure::kTooFewValues;
    return test;
  }
  test.ranksX = x.Ranks();
  test.ranksY = y.Ranks();
  // Ranks less their mean (n + 1)/2 are whole or half numbers, so these sums
  // are exact for any sample the list can hold.
  const double n = test.n;
  const double middle = (n + 1.0) / 2.0;
  double sxx = 0.0;
  double syy = 0.0;
  double sxy = 0.0;
  for (std::size_t i = 0; i < test.ranksX.size(); ++i) {
    const double dx = test.ranksX[i] - middle;
    const double dy = test.ranksY[i] - middle;
    sxx += dx * dx;
    syy += dy * dy;
    sxy += dx * dy;
    test.sumSquaredRankDifferences += (dx - dy) * (dx - dy);
  }
  // Σ(rank - mean)² is (n³ - n - Σ(t³ - t))/12: below (n³ - n)/12 exactly
  // when a column has ties.
  test.ties = sxx < (n * n * n - n) / 12.0 || syy < (n * n * n - n) / 12.0;
  if (sxx == 0.0 || syy == 0.0) {
    test.failure = NoFigure::kAllValuesEqual;
    return test;
  }
  test.rs = std::clamp(sxy / std::sqrt(sxx * syy), -1.0, 1.0);
  test.df = n - 2.0;
  if (std::fabs(*test.rs) == 1.0) {
    test.p = 0.0;
    return test;
  }
  test.t = *test.rs * std::sqrt(*test.df / ((1.0 - *test.rs) * (1.0 + *test.rs)));
  test.p = TwoSidedTP(*test.t, *test.df);
  return test;
}

SpearmanTest SpearmanCorrelation(std::span<const double> x, std::span<const double> y) {
  return SpearmanCorrelation(SortedSample(x), SortedSample(y));
}

}  // namespace sumvane
