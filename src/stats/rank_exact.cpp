#include "stats/rank_exact.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace sumvane {
namespace {

// C(120, 60) ≈ 9.7e34 fits; so does every partial count below it.
__extension__ typedef __int128 Count;

constexpr int kMaxRankSumTotal = 120;
constexpr int kMaxSignedRankSize = 62;

// Σ of the counts up to k over their total, each rounded once.
template <typename Integer>
double Share(const std::vector<Integer>& counts, Integer total) {
  Integer below = 0;
  for (const Integer c : counts) below += c;
  return std::min(1.0, static_cast<double>(below) / static_cast<double>(total));
}

template <typename LowerTail>
std::optional<double> TwiceSmallerTail(double statistic, double maximum, LowerTail lowerTail) {
  const double below = statistic > maximum / 2.0 ? maximum - statistic : statistic;
  const std::optional<double> tail = lowerTail(below);
  if (!tail) return std::nullopt;
  return std::min(1.0, 2.0 * *tail);
}

}  // namespace

std::optional<double> RankSumLowerTail(int m, int n, double k) {
  if (m < 1 || n < 1 || m + n > kMaxRankSumTotal || !std::isfinite(k)) return std::nullopt;
  if (k < 0.0) return 0.0;
  if (k >= static_cast<double>(m) * n) return 1.0;
  const auto top = static_cast<int>(std::floor(k));
  // The number of ways W takes each value are the coefficients of the
  // Gaussian binomial [m + n, m]_q = Π (1 - q^(n+i)) / (1 - q^i), i = 1..m.
  // Taking the factors pair by pair keeps every step a Gaussian binomial, so
  // all counts stay whole; a coefficient depends only on lower ones, so the
  // polynomial is cut at k.
  std::vector<Count> counts(static_cast<std::size_t>(top) + 1, 0);
  counts[0] = 1;
  Count total = 1;
  for (int i = 1; i <= m; ++i) {
    for (int j = top; j >= n + i; --j) counts[j] -= counts[j - n - i];
    for (int j = i; j <= top; ++j) counts[j] += counts[j - i];
    total = total * (n + i) / i;  // C(n + i, i), exactly
  }
  return Share(counts, total);
}

std::optional<double> SignedRankLowerTail(int n, double k) {
  if (n < 1 || n > kMaxSignedRankSize || !std::isfinite(k)) return std::nullopt;
  if (k < 0.0) return 0.0;
  if (k >= n * (n + 1) / 2.0) return 1.0;
  const auto top = static_cast<int>(std::floor(k));
  // The coefficients of Π (1 + q^i), i = 1..n: the subsets of the ranks by
  // their sum.
  std::vector<std::uint64_t> counts(static_cast<std::size_t>(top) + 1, 0);
  counts[0] = 1;
  for (int i = 1; i <= n; ++i) {
    for (int j = top; j >= i; --j) counts[j] += counts[j - i];
  }
  return Share(counts, std::uint64_t{1} << n);
}

std::optional<double> RankSumExactP(int m, int n, double w) {
  return TwiceSmallerTail(w, static_cast<double>(m) * n,
                          [&](double k) { return RankSumLowerTail(m, n, k); });
}

std::optional<double> SignedRankExactP(int n, double v) {
  return TwiceSmallerTail(v, n * (n + 1) / 2.0,
                          [&](double k) { return SignedRankLowerTail(n, k); });
}

}  // namespace sumvane
