// How large the difference of a paired fourfold table is. The table counts
// pairs: a both positive, b positive by the first method only, c by the second
// only, d both negative.
#pragma once

#include <optional>

#include "stats/effect_interval.h"
#include "stats/report_figures.h"

namespace sumvane {

enum class PairedGap {
  kNone,
  // A count below 0 or not a finite number.
  kNegativeCount,
  // No pairs at all (n = 0): no rate exists.
  kNoPairs,
  // b = c = 0: the matched odds ratio is 0/0, and the difference of the rates
  // is 0 with no spread, so neither has an interval.
  kNoDiscordantPairs,
  // Every pair is discordant, and all in one direction: the normal
  // approximation of the rates' difference has no spread.
  kNoSpread,
  // A figure the library could not compute (counts far beyond the list's).
  kOutOfRange,
};

// The matched OR = b/c with the exact interval from the Clopper–Pearson
// interval (pL, pU) of b/(b + c), as binom.test(b, b + c)$conf.int, turned
// into odds: (pL/(1 − pL), pU/(1 − pU)).
struct MatchedOddsRatio {
  PairedGap gap = PairedGap::kNone;
  // 0 when b = 0; empty with estimateInfinite when c = 0.
  std::optional<double> estimate;
  bool estimateInfinite = false;
  // The Clopper–Pearson interval of b/(b + c), for the working.
  std::optional<Interval> proportion;
  // Lower limit 0 when b = 0; no upper limit when c = 0.
  RatioInterval interval;
};

// Whole counts of discordant pairs.
MatchedOddsRatio MatchedOddsRatioOf(int b, int c);

// The difference of the two positive rates, (a + b)/n − (a + c)/n = (b − c)/n,
// with the normal-approximation interval for matched pairs (Agresti's Wald
// interval): SE = √((b + c) − (b − c)²/n) / n.
struct PairedRateDifference {
  PairedGap gap = PairedGap::kNone;
  std::optional<double> firstRate;
  std::optional<double> secondRate;
  std::optional<double> difference;
  // Empty with gap kNoDiscordantPairs when b = c = 0, kNoSpread when b or c
  // is n.
  std::optional<double> standardError;
  std::optional<Interval> interval;
};

// Any counts from 0 up, whole or not.
PairedRateDifference PairedRateDifferenceOf(double a, double b, double c, double d);

}  // namespace sumvane
