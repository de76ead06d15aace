#include "stats/exact_odds_ratio.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "stats/root_finding.h"

namespace sumvane {
namespace {

// The two tails of the 95 % interval.
constexpr double kTail = 0.025;

// Weights below this, relative to the most probable table's, end the walk
// outwards. The weights fall ever faster beyond the mode (the distribution is
// log-concave), so after j steps the next ratio is at most 1e-40^(1/j) and all
// that is left of a tail is below 1e-40 · j / 92, far below any digit of the
// sums it would join.
constexpr double kNegligible = 1e-40;

// The tables with the observed margins, told apart by their cell a.
struct Support {
  std::int64_t firstRow, secondRow, firstColumn;
  int lowest, highest, observed;

  // The central hypergeometric probability of a = k + 1 over that of a = k;
  // under ψ it is ψ times this. It falls as k grows, and is 0 at highest.
  double Ratio(int k) const {
    const double b = static_cast<double>(firstRow - k);
    const double c = static_cast<double>(firstColumn - k);
    const double d = static_cast<double>(secondRow - firstColumn + k);
    return b * c / ((k + 1.0) * (d + 1.0));
  }
};

// Sums of the weights under ψ, each relative to the most probable table's.
struct Sums {
  double total = 0.0;
  double atOrBelow = 0.0;  // a <= observed
  double atOrAbove = 0.0;  // a >= observed
  double deviation = 0.0;  // Σ (a − observed) · weight
};

// The most probable table under ψ: the first a whose next table is no more
// probable.
int ModeOf(const Support& s, double psi) {
  int low = s.lowest;
  int high = s.highest;
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (s.Ratio(middle) * psi <= 1.0) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

// From the mode outwards by the ratios of neighbouring tables: no factorial,
// no exponential, and only the tables that carry weight.
Sums Weigh(const Support& s, double psi) {
  Sums sums;
  const auto add = [&](int k, double w) {
    sums.total += w;
    if (k <= s.observed) sums.atOrBelow += w;
    if (k >= s.observed) sums.atOrAbove += w;
    sums.deviation += (k - s.observed) * w;
  };
  const int mode = ModeOf(s, psi);
  add(mode, 1.0);
  double w = 1.0;
  for (int k = mode; k < s.highest && w >= kNegligible; ++k) {
    w *= s.Ratio(k) * psi;
    add(k + 1, w);
  }
  w = 1.0;
  for (int k = mode; k > s.lowest && w >= kNegligible; --k) {
    w /= s.Ratio(k - 1) * psi;
    add(k - 1, w);
  }
  return sums;
}

// The log ψ whose most probable table is a = k (k and k + 1 equally so).
double LogPsiWithMode(const Support& s, int k) { return -std::log(s.Ratio(k)); }

// The spread of a about the observed table, in tables: the log weights bend
// by ln Ratio(x − 1) − ln Ratio(x), about 1/σ², from one table to the next.
int SpreadInTables(const Support& s) {
  if (s.highest - s.lowest < 2) return 1;
  const int k = std::clamp(s.observed, s.lowest + 1, s.highest - 1);
  const double bend = std::log(s.Ratio(k - 1) / s.Ratio(k));
  return static_cast<int>(std::clamp(std::round(1.0 / std::sqrt(bend)), 1.0, 1e6));
}

// The log ψ at which an increasing function of it crosses 0. The search
// starts where the observed table is the most probable and moves the mode
// away from it by firstStep, then twice, four times as many tables; past the
// ends of the support it moves log ψ itself by 1, 2, 4, … until the sign
// changes.
template <typename F>
std::optional<double> SolveLogPsi(const Support& s, F f, int firstStep) {
  const int x = s.observed;
  double near = (LogPsiWithMode(s, std::max(x - 1, s.lowest)) +
                 LogPsiWithMode(s, std::min(x, s.highest - 1))) /
                2.0;
  double fNear = f(near);
  if (fNear == 0.0) return near;
  const int direction = fNear > 0.0 ? -1 : 1;
  double beyond = 0.0;
  for (int step = firstStep; step <= (1 << 20); step *= 2) {
    const int k = x + direction * step;
    double far = 0.0;
    if (k >= s.lowest && k < s.highest) {
      far = LogPsiWithMode(s, k);
    } else {
      beyond = beyond == 0.0 ? 1.0 : 2.0 * beyond;
      // Once the mode sits at an end, each unit of log ψ moves the tail
      // beyond it by a factor e, so a few units decide every sign.
      if (beyond > 64.0) return std::nullopt;
      far = LogPsiWithMode(s, direction < 0 ? s.lowest : s.highest - 1) + direction * beyond;
    }
    const double fFar = f(far);
    if (fFar == 0.0) return far;
    if ((fFar > 0.0) != (fNear > 0.0)) {
      return direction > 0 ? RootBetween(f, near, far, fNear, fFar)
                           : RootBetween(f, far, near, fFar, fNear);
    }
    near = far;
    fNear = fFar;
  }
  return std::nullopt;
}

std::optional<double> PsiOf(const std::optional<double>& logPsi) {
  if (!logPsi) return std::nullopt;
  const double psi = std::exp(*logPsi);
  if (!std::isfinite(psi) || psi <= 0.0) return std::nullopt;
  return psi;
}

}  // namespace

ExactOddsRatio ExactOddsRatioOf(const FourfoldCounts& t) {
  ExactOddsRatio result;
  const std::int64_t n = std::int64_t{t.a} + t.b + t.c + t.d;
  if (t.a < 0 || t.b < 0 || t.c < 0 || t.d < 0 || n > kMaxExactTotal) {
    result.gap = ExactOddsRatioGap::kNotCounts;
    return result;
  }
  Support s{};
  s.firstRow = std::int64_t{t.a} + t.b;
  s.secondRow = std::int64_t{t.c} + t.d;
  s.firstColumn = std::int64_t{t.a} + t.c;
  s.lowest = static_cast<int>(std::max<std::int64_t>(0, s.firstColumn - s.secondRow));
  s.highest = static_cast<int>(std::min(s.firstRow, s.firstColumn));
  s.observed = t.a;
  if (s.lowest == s.highest) {
    result.gap = ExactOddsRatioGap::kSingleTable;
    return result;
  }
  const auto meanGap = [&](double logPsi) {
    const Sums sums = Weigh(s, std::exp(logPsi));
    return sums.deviation / sums.total;
  };
  const auto upperTailExcess = [&](double logPsi) {
    const Sums sums = Weigh(s, std::exp(logPsi));
    return sums.atOrAbove / sums.total - kTail;
  };
  const auto lowerTailShortfall = [&](double logPsi) {
    const Sums sums = Weigh(s, std::exp(logPsi));
    return kTail - sums.atOrBelow / sums.total;
  };
  const bool atLowest = s.observed == s.lowest;
  const bool atHighest = s.observed == s.highest;
  std::optional<double> estimate = 0.0;
  std::optional<double> lower = 0.0;
  std::optional<double> upper;
  // The mean lies within a table of the mode; a limit puts the observed
  // table about two spreads from it.
  const int twoSpreads = 2 * SpreadInTables(s);
  if (!atLowest && !atHighest) estimate = PsiOf(SolveLogPsi(s, meanGap, 1));
  if (!atLowest) lower = PsiOf(SolveLogPsi(s, upperTailExcess, twoSpreads));
  if (!atHighest) upper = PsiOf(SolveLogPsi(s, lowerTailShortfall, twoSpreads));
  if ((!atHighest && (!estimate || !upper)) || !lower) {
    result.gap = ExactOddsRatioGap::kNoRoot;
    return result;
  }
  if (atHighest) {
    result.estimateInfinite = result.interval.upperInfinite = true;
  } else {
    result.estimate = estimate;
    result.interval.upper = upper;
  }
  result.interval.lower = *lower;
  return result;
}

}  // namespace sumvane
