#include "stats/chi_square.h"

#include "stats/effect_figures.h"
#include "stats/number.h"
#include "stats/p_values.h"

namespace sumvane {
namespace {

constexpr FigureStyle kStyle = FigureStyle::kPlain;

Answer TestAnswer(const ChiSquareResult& r) {
  if (r.data.IsEmpty()) return {};
  if (r.formula.fault == TableFault::kNegativeCount) return AnswerWhyNot("频数不能为负");
  if (r.exactAnswers && r.exact) {
    return AnswerWithP(r.exact->p, r.alpha, Finding::kDifference, PSource::kExact);
  }
  if (const auto chiSquare = r.ChiSquare()) {
    if (const auto p = UpperChiSquareP(*chiSquare, 1.0)) {
      // A figure typed over the box is not the corrected formula's.
      const bool corrected = r.formula.corrected && !r.typedChiSquare;
      return AnswerWithP(p, r.alpha, Finding::kDifference,
                         corrected ? PSource::kCorrectedChiSquare : PSource::kStatistic);
    }
  }
  if (!r.formula.n) return AnswerWhyNot("总例数超出范围");
  return AnswerWhyNot("行或列合计为0");
}

}  // namespace

ChiSquareResult AnalyseChiSquare(const FourfoldData& data,
                                 const std::optional<PanelFigure>& typedChiSquare, Alpha alpha) {
  ChiSquareResult r;
  r.alpha = alpha;
  r.data = data;
  const FourfoldCells cells = data.Cells();
  r.formula = ChiSquareOfTable(cells);
  r.typedChiSquare = typedChiSquare;
  // A table with nothing in it shows nothing, as an empty list does.
  if (data.IsEmpty() && !typedChiSquare) r.formula = {};
  if (r.formula.fault == TableFault::kNone && !data.IsEmpty()) {
    r.exactAnswers = PrefersExactTest(cells);
    const auto counts = WholeCounts(cells);
    if (counts) r.exact = FisherExactSupport(*counts);
    if (counts && r.exactAnswers) r.exactOddsRatio = ExactOddsRatioOf(*counts);
    r.effects = FourfoldEffectsOf(
        {ReadNumber(cells.a), ReadNumber(cells.b), ReadNumber(cells.c), ReadNumber(cells.d)});
  }
  r.answer = TestAnswer(r);
  // Where the exact test answers, no cell of the chi-square table gives P.
  r.question = r.exactAnswers ? TableQuestion{CriticalTable::kChiSquare, std::nullopt, std::nullopt}
                              : TableQuestion{CriticalTable::kChiSquare, 1.0, r.ChiSquare()};

  r.shown.n = FigureText(r.formula.n, kStyle, kChiSquareFigureWidth);
  for (int i = 0; i < 4; ++i) {
    r.shown.expected[i] = FigureText(r.formula.expected[i], kStyle, kChiSquareFigureWidth);
  }
  r.shown.chiSquare = typedChiSquare
                          ? typedChiSquare->Shown(kStyle, kChiSquareFigureWidth)
                          : FigureText(r.formula.chiSquare, kStyle, kChiSquareFigureWidth);
  r.figures = {{"例数(n)", r.shown.n},
               {"a的理论数(T)", r.shown.expected[0]},
               {"b的理论数(T)", r.shown.expected[1]},
               {"c的理论数(T)", r.shown.expected[2]},
               {"d的理论数(T)", r.shown.expected[3]},
               {"χ²", r.shown.chiSquare}};
  if (r.effects) AddFourfoldEffectFigures(*r.effects, r.exactOddsRatio, r.figures);
  return r;
}

}  // namespace sumvane
