#include "stats/answers.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "stats/exact_tests.h"
#include "stats/number.h"
#include "stats/p_values.h"

namespace sumvane {
namespace {

bool IsBlankText(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

bool AnyFilled(std::initializer_list<std::string_view> texts) {
  for (std::string_view text : texts) {
    if (!IsBlankText(text)) return true;
  }
  return false;
}

// The statistic as the panel shows it, when it shows one.
std::optional<double> Shown(std::string_view text) {
  if (IsBlankText(text)) return std::nullopt;
  return ReadNumber(text);
}

bool AnyCell(const FourfoldCells& cells) { return AnyFilled({cells.a, cells.b, cells.c, cells.d}); }

// The chi-square on show is what the corrected formula gave, shortened to its
// box, not a figure typed over it.
PSource ChiSquareSource(bool corrected, const std::string& formula, std::string_view shown) {
  const bool fromFormula = ClipText(formula, static_cast<int>(shown.size())) == shown;
  return corrected && fromFormula ? PSource::kCorrectedChiSquare : PSource::kStatistic;
}

}  // namespace

Answer AnswerWithP(std::optional<double> p, Alpha alpha, Finding finding, PSource source) {
  Answer answer;
  answer.p = p;
  answer.source = source;
  answer.pText = PText(p, source);
  answer.verdict = VerdictText(p, alpha, finding);
  return answer;
}

Answer AnswerWhyNot(std::string reason) {
  Answer answer;
  answer.verdict = std::move(reason);
  return answer;
}

Answer ChiSquareAnswer(const FourfoldCells& cells, std::string_view chiSquareText, Alpha alpha) {
  if (!AnyCell(cells)) return {};
  const FourfoldChiSquare table = ChiSquareOfTable(cells);
  if (table.fault == TableFault::kNegativeCount) return AnswerWhyNot("频数不能为负");
  if (PrefersExactTest(cells)) {
    return AnswerWithP(FisherExactP(*WholeCounts(cells)), alpha, Finding::kDifference,
                       PSource::kExact);
  }
  if (const auto chiSquare = Shown(chiSquareText)) {
    if (auto p = UpperChiSquareP(*chiSquare, 1.0)) {
      return AnswerWithP(p, alpha, Finding::kDifference,
                         ChiSquareSource(table.corrected, table.chiSquare, chiSquareText));
    }
  }
  if (table.n.empty()) return AnswerWhyNot("总例数超出范围");
  return AnswerWhyNot("行或列合计为0");
}

Answer PairedChiSquareAnswer(const FourfoldCells& cells, std::string_view chiSquareText,
                             Alpha alpha) {
  if (!AnyCell(cells)) return {};
  const PairedChiSquare table = PairedChiSquareOfTable(cells);
  if (table.fault == TableFault::kNegativeCount) return AnswerWhyNot("频数不能为负");
  if (const auto chiSquare = Shown(chiSquareText)) {
    if (auto p = UpperChiSquareP(*chiSquare, 1.0)) {
      return AnswerWithP(p, alpha, Finding::kDifference,
                         ChiSquareSource(table.corrected, table.chiSquare, chiSquareText));
    }
  }
  if (table.n.empty()) return AnswerWhyNot("总例数超出范围");
  return AnswerWhyNot("无不一致的对子");
}

}  // namespace sumvane
