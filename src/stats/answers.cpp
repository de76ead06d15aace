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

GroupStatistics Group(std::string_view mean, std::string_view sd, std::string_view n) {
  return {ReadNumber(mean), ReadNumber(sd), ReadNumber(n)};
}

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

void AddNormalityHint(Answer& answer, std::optional<double> normalityP, int n) {
  if (answer.p && normalityP && *normalityP < 0.05 && n < kNormalityHintBelow) {
    answer.verdict += kNormalityHint;
  }
}

bool UnequalVariances(const TwoSampleFigures& figures, Alpha alpha) {
  const auto ratio = VarianceRatioTest(ReadNumber(figures.sd1), ReadNumber(figures.n1),
                                       ReadNumber(figures.sd2), ReadNumber(figures.n2));
  return ratio && IsSignificant(ratio->p, alpha);
}

Answer TwoSampleAnswer(const TwoSampleFigures& figures, std::string_view tText, Alpha alpha) {
  const auto t = Shown(tText);
  const auto degrees = Shown(figures.degrees);
  if (t && degrees) {
    if (UnequalVariances(figures, alpha)) {
      const auto welch = WelchTTest(Group(figures.mean1, figures.sd1, figures.n1),
                                    Group(figures.mean2, figures.sd2, figures.n2));
      if (welch) {
        Answer answer = AnswerWithP(welch->p, alpha, Finding::kDifference, PSource::kWelch);
        answer.welch = welch;
        return answer;
      }
    }
    if (auto p = TwoSidedTP(*t, *degrees)) return AnswerWithP(p, alpha, Finding::kDifference);
  }
  if (!AnyFilled(
          {figures.mean1, figures.mean2, figures.sd1, figures.sd2, figures.n1, figures.n2})) {
    return {};
  }
  if (!(ReadNumber(figures.n1) >= 1.0) || !(ReadNumber(figures.n2) >= 1.0))
    return AnswerWhyNot("例数不足");
  if (!degrees || !(*degrees > 1.0)) return AnswerWhyNot("自由度不足");
  return AnswerWhyNot("标准误为0或不能计算");
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
