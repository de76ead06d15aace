#include "stats/paired_chi_square.h"

#include <cmath>

#include "stats/effect_figures.h"
#include "stats/exact_tests.h"
#include "stats/number.h"
#include "stats/p_values.h"
#include "stats/panel_figure.h"

namespace sumvane {
namespace {

constexpr FigureStyle kStyle = FigureStyle::kPlain;

Answer TestAnswer(const PairedChiSquareResult& r) {
  if (r.data.IsEmpty()) return {};
  if (r.formula.fault == TableFault::kNegativeCount) return AnswerWhyNot("频数不能为负");
  if (r.formula.chiSquare) {
    if (const auto p = UpperChiSquareP(*r.formula.chiSquare, 1.0)) {
      return AnswerWithP(p, r.alpha, Finding::kDifference,
                         r.formula.corrected ? PSource::kCorrectedChiSquare : PSource::kStatistic);
    }
  }
  if (!r.formula.n) return AnswerWhyNot("总例数超出范围");
  return AnswerWhyNot("无不一致的对子");
}

}  // namespace

PairedChiSquareResult AnalysePairedChiSquare(const FourfoldData& data, Alpha alpha) {
  PairedChiSquareResult r;
  r.alpha = alpha;
  r.data = data;
  const FourfoldCells cells = data.Cells();
  r.formula = PairedChiSquareOfTable(cells);
  // A table with nothing in it shows nothing, as an empty list does.
  if (data.IsEmpty()) r.formula = {};
  const double b = ReadNumber(cells.b), c = ReadNumber(cells.c);
  r.wholeDiscordant =
      b == std::trunc(b) && c == std::trunc(c) && b >= 0.0 && c >= 0.0 && b + c <= kMaxExactTotal;
  if (r.formula.fault == TableFault::kNone && r.wholeDiscordant) {
    r.binomialP = PairedBinomialP(static_cast<int>(b), static_cast<int>(c));
  }
  // The rates are taken over n, so they need the n the panel shows.
  if (r.formula.n) {
    r.rateDifference = PairedRateDifferenceOf(ReadNumber(cells.a), b, c, ReadNumber(cells.d));
    if (r.wholeDiscordant) {
      r.matchedOddsRatio = MatchedOddsRatioOf(static_cast<int>(b), static_cast<int>(c));
    }
  }
  r.answer = TestAnswer(r);
  r.question = {CriticalTable::kChiSquare, 1.0, r.formula.chiSquare};
  r.shown = {FigureText(r.formula.n, kStyle, kPairedChiSquareBoxWidth),
             FigureText(r.formula.chiSquare, kStyle, kPairedChiSquareBoxWidth)};
  r.figures = {{"n", r.shown.n}, {"χ²", r.shown.chiSquare}};
  if (r.rateDifference)
    AddPairedTableEffectFigures(r.matchedOddsRatio, *r.rateDifference, r.figures);
  return r;
}

}  // namespace sumvane
