// The paired t-test of measurement data: the number of pairs, the mean of the
// pair differences and their standard deviation, typed into the panel or
// formed from the list, give the standard error of the mean difference and t.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "stats/analysis_result.h"
#include "stats/assumption_checks.h"
#include "stats/observation.h"
#include "stats/panel_figure.h"
#include "stats/report_figures.h"
#include "stats/standardized_effects.h"

namespace sumvane {

// Every box of the panel, the hidden one of the standard error included,
// holds at most this many characters.
inline constexpr int kPairedBoxWidth = 6;

struct PairedInputs {
  PanelFigure n{}, meanDifference{}, sdDifference{};
  // A t typed over the one the figures give: P is read from it.
  PanelFigure t{};
  // The list's two groups differ in length, so there are no pairs.
  bool unequalGroups = false;
  // The list's pair differences (PairDifferences), which the checks of
  // normality and the signed-rank test need; typed figures carry none.
  std::vector<double> differences{};
};

// The figures of the differences x - y, pair by pair, each rounded once from
// the exact sums of the pairs (moments.h); Sd uses divisor n - 1. A figure that
// cannot be formed (no pair for the mean, fewer than two for Sd) is not formed;
// groups of different lengths give no figures and say so.
PairedInputs SummarisePairs(std::span<const Observation> x, std::span<const Observation> y);
// SummarisePairs with the differences themselves, for the checks.
PairedInputs PairsOfList(std::span<const Observation> x, std::span<const Observation> y);

struct PairedResult : AnalysisResult {
  PairedInputs inputs;
  // Sd / √N, when N is at least 2.
  std::optional<double> standardError;
  // |d| / Sd̄, when the standard error is above 0; t is never signed.
  std::optional<double> t;
  // N - 1 for t; the interval of μd.
  std::optional<double> degrees;
  std::optional<Interval> interval;
  // t(0.05/2, ν) the interval reaches out by.
  std::optional<double> tQuantile;
  // d̄ with its interval and Cohen's d, from the three figures as they stand.
  PairedEffects effects;
  // Normality of the differences and the signed-rank test; only with the
  // list's differences.
  std::optional<PairedChecks> checks;

  struct Shown {
    std::string n, meanDifference, sdDifference, standardError, t;
  } shown;
};

PairedResult AnalysePaired(const PairedInputs& inputs, Alpha alpha);

}  // namespace sumvane
