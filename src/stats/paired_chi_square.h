// The chi-square test of paired counts: the discordant pairs b and c give
// chi-square, corrected for continuity below 40 of them; the exact binomial
// test of b against c stands beside it.
#pragma once

#include <optional>
#include <string>

#include "stats/analysis_result.h"
#include "stats/fourfold.h"
#include "stats/paired_effects.h"

namespace sumvane {

// The n and chi-square boxes hold at most this many characters.
inline constexpr int kPairedChiSquareBoxWidth = 6;

struct PairedChiSquareResult : AnalysisResult {
  FourfoldData data;
  PairedChiSquare formula;
  // b and c are whole counts within what the exact test takes.
  bool wholeDiscordant = false;
  // binom.test(b, b + c)'s P, for whole counts with b + c above 0.
  std::optional<double> binomialP;
  // The difference of the two positive rates, for a table of counts not below
  // 0; the matched OR b/c where b and c are whole counts.
  std::optional<PairedRateDifference> rateDifference;
  std::optional<MatchedOddsRatio> matchedOddsRatio;

  struct Shown {
    std::string n, chiSquare;
  } shown;
};

PairedChiSquareResult AnalysePairedChiSquare(const FourfoldData& data, Alpha alpha);

}  // namespace sumvane
