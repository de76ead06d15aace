// The chi-square test of a fourfold table: the expected counts, chi-square by
// the formula the expected counts choose, and Fisher's exact test, which
// answers in its place for a small table of whole counts and stands beside it
// otherwise.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "stats/analysis_result.h"
#include "stats/exact_odds_ratio.h"
#include "stats/exact_tests.h"
#include "stats/fourfold.h"
#include "stats/fourfold_effects.h"
#include "stats/panel_figure.h"

namespace sumvane {

// n, the expected counts and chi-square show at most this many characters.
inline constexpr int kChiSquareFigureWidth = 6;

struct ChiSquareResult : AnalysisResult {
  FourfoldData data;
  FourfoldChiSquare formula;
  // A chi-square the user typed over the one the cells gave; P reads it.
  std::optional<PanelFigure> typedChiSquare;
  // Fisher's exact test answers in place of chi-square (PrefersExactTest).
  bool exactAnswers = false;
  // The tables with the observed margins and Fisher's P, for whole counts.
  std::optional<ExactTestSupport> exact;
  // OR, RR, RD and NNT with their intervals, for a table of counts not below
  // 0; the conditional maximum-likelihood OR where the exact test answers.
  std::optional<FourfoldEffects> effects;
  std::optional<ExactOddsRatio> exactOddsRatio;

  struct Shown {
    std::string n;
    std::array<std::string, 4> expected;
    std::string chiSquare;
  } shown;

  // The chi-square P reads: the one typed, else the formula's.
  std::optional<double> ChiSquare() const {
    return typedChiSquare ? typedChiSquare->Value() : formula.chiSquare;
  }
};

ChiSquareResult AnalyseChiSquare(const FourfoldData& data,
                                 const std::optional<PanelFigure>& typedChiSquare, Alpha alpha);

}  // namespace sumvane
