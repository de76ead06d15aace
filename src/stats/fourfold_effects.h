// How large the difference of a fourfold table is: the odds ratio, the
// relative risk and the risk difference with their 95 % intervals, and the
// number needed to treat. The table is a, b (first row) over c, d (second
// row); a row's risk is its first column over its total. These asymptotic
// measures take any counts from 0 up, whole or not; the exact odds ratio is in
// exact_odds_ratio.h.
#pragma once

#include <optional>

#include "stats/report_figures.h"

namespace sumvane {

struct FourfoldShares {
  double a = 0.0;
  double b = 0.0;
  double c = 0.0;
  double d = 0.0;
};

// Why a figure is not formed, for the report to say.
enum class EffectGap {
  kNone,
  // A count below 0, or not a finite number: nothing is formed.
  kNegativeCount,
  // A row total of 0: that row has no risk.
  kEmptyRow,
  // A column total of 0: nobody (or everybody) had the outcome, so the odds
  // and risks of the rows are not compared by a ratio.
  kEmptyColumn,
  // The normal approximation of RD: each rate is 0 or 1, so its standard
  // error is 0.
  kNoSpread,
  // NNT: the risks are equal.
  kNoDifference,
  // A figure beyond the double range.
  kOutOfRange,
};

// OR with Woolf's interval, or RR with Katz's: exp(ln R ± u · SE(ln R)).
// With a zero cell the figures are those of the table with 0.5 added to every
// cell (FourfoldEffects::haldaneAnscombe).
struct LogRatioEstimate {
  EffectGap gap = EffectGap::kNone;
  std::optional<double> estimate;
  // √(1/a + 1/b + 1/c + 1/d) for OR; √(1/a − 1/(a+b) + 1/c − 1/(c+d)) for RR.
  std::optional<double> logStandardError;
  std::optional<Interval> interval;
};

// RD = p1 − p2 with two intervals: the normal approximation
// RD ± u · √(p1(1−p1)/n1 + p2(1−p2)/n2), and Newcombe's hybrid score interval
// (his method 10) from the Wilson score interval of each rate, without
// continuity correction.
struct RiskDifference {
  EffectGap gap = EffectGap::kNone;
  std::optional<double> firstRisk;
  std::optional<double> secondRisk;
  std::optional<double> difference;
  // Of the normal approximation; waldGap says why it is missing when the
  // difference is there.
  EffectGap waldGap = EffectGap::kNone;
  std::optional<double> standardError;
  std::optional<Interval> wald;
  // The Wilson intervals of p1 and p2 (as prop.test(x, n, correct = FALSE)),
  // and Newcombe's (RD − √((p1−l1)² + (u2−p2)²), RD + √((u1−p1)² + (p2−l2)²)).
  std::optional<Interval> firstWilson;
  std::optional<Interval> secondWilson;
  std::optional<Interval> newcombe;
};

// NNT = 1/|RD| rounded up, with the interval from the inverted Newcombe limits
// L < U of RD. When the interval of RD holds 0 (L ≤ 0 ≤ U), the interval of
// NNT runs through infinity (Altman): for the direction of p1 > p2 it spans
// from 1/U up to infinity, and for p1 < p2 from 1/|L| up; a report names the
// direction that means benefit NNTB and the other NNTH.
struct NumberNeededToTreat {
  EffectGap gap = EffectGap::kNone;
  // A whole number (held as a double, it may pass the int range).
  std::optional<double> nnt;
  // 1/|RD| before it is rounded up.
  std::optional<double> unrounded;
  bool throughInfinity = false;
  // Not through infinity: 1/|the farther limit| and 1/|the nearer limit|.
  std::optional<Interval> interval;
  // Through infinity: where each direction's part of the interval starts; a
  // limit of RD that is exactly 0 leaves its direction without a part.
  std::optional<double> firstHigherFrom;
  std::optional<double> secondHigherFrom;
};

struct FourfoldEffects {
  // kNegativeCount when the table itself is refused; every figure is then
  // empty with the same gap.
  EffectGap gap = EffectGap::kNone;
  // A cell is 0, so OR, RR and their intervals come from the table with 0.5
  // added to every cell (Haldane–Anscombe); the report says so.
  bool haldaneAnscombe = false;
  LogRatioEstimate oddsRatio;
  LogRatioEstimate riskRatio;
  RiskDifference riskDifference;
  NumberNeededToTreat numberNeeded;
};

FourfoldEffects FourfoldEffectsOf(const FourfoldShares& table);

// The Wilson score interval of the proportion x / n without continuity
// correction, as prop.test(x, n, correct = FALSE)$conf.int. Needs
// 0 <= x <= n and n > 0.
std::optional<Interval> WilsonInterval(double x, double n);

}  // namespace sumvane
