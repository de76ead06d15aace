// The effect measures as the clipboard lists them after the panel's own
// figures, and the texts of their intervals, which the report writes alike so
// that a figure reads the same in both places.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "stats/analysis_result.h"
#include "stats/effect_interval.h"
#include "stats/exact_odds_ratio.h"
#include "stats/fourfold_effects.h"
#include "stats/paired_effects.h"
#include "stats/picture_facts.h"
#include "stats/report_figures.h"
#include "stats/standardized_effects.h"

namespace sumvane {

// "(1.12, 26.04)": both limits at four significant digits.
std::string IntervalFigure(const Interval& interval);
// An exact ratio's interval: a lower limit of 0 is written "0"; an upper
// limit the data leave open is said in words, "(0.9164, 无上限)", as no
// infinity is ever written as a figure.
std::string IntervalFigure(const RatioInterval& interval);

// NNT's interval: "(1.561, 25.11)" from the inverted limits of RD; when RD's
// interval holds 0, Altman's "NNTB 3.595 至 无穷大 至 NNTH 12.04", in the
// order of RD's limits. The first column counts the outcome a row's risk measures, so
// a lower risk in the first (treated) row is the benefit, NNTB.
std::string NntIntervalFigure(const NumberNeededToTreat& nnt);

// The difference of means with its pooled interval, Welch's where t′ answers,
// then Cohen's d and Hedges' g with their intervals.
void AddTwoSampleEffectFigures(const TwoSampleEffects& effects, bool welchAnswers,
                               std::vector<ShownFigure>& figures);

// OR (Woolf), the exact OR where it is given, RR (Katz), RD (normal
// approximation and Newcombe) and NNT.
void AddFourfoldEffectFigures(const FourfoldEffects& effects,
                              const std::optional<ExactOddsRatio>& exact,
                              std::vector<ShownFigure>& figures);

// The forest pictures of a fourfold table, one per scale: OR (Woolf), the
// exact OR where it has both limits above 0 and RR (Katz) about 1 on a log
// scale; RD by the normal approximation and by Newcombe about 0, its rows
// named by the method alone so that each label fits beside its bar. A scale
// with no interval formed has no picture.
std::vector<ForestFacts> FourfoldForests(const FourfoldEffects& effects,
                                         const std::optional<ExactOddsRatio>& exact);

// The matched OR where b and c are whole counts, then the difference of the
// two positive rates.
void AddPairedTableEffectFigures(const std::optional<MatchedOddsRatio>& matched,
                                 const PairedRateDifference& rates,
                                 std::vector<ShownFigure>& figures);

}  // namespace sumvane
