#include "stats/answers.h"

#include <cmath>
#include <initializer_list>

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

Answer WithP(std::optional<double> p, Alpha alpha, Finding finding,
             PSource source = PSource::kStatistic) {
  Answer answer;
  answer.p = p;
  answer.source = source;
  answer.pText = PText(p, source);
  answer.verdict = VerdictText(p, alpha, finding);
  return answer;
}

Answer Why(const char* reason) {
  Answer answer;
  answer.verdict = reason;
  return answer;
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
        Answer answer = WithP(welch->p, alpha, Finding::kDifference, PSource::kWelch);
        answer.welch = welch;
        return answer;
      }
    }
    if (auto p = TwoSidedTP(*t, *degrees)) return WithP(p, alpha, Finding::kDifference);
  }
  if (!AnyFilled(
          {figures.mean1, figures.mean2, figures.sd1, figures.sd2, figures.n1, figures.n2})) {
    return {};
  }
  if (!(ReadNumber(figures.n1) >= 1.0) || !(ReadNumber(figures.n2) >= 1.0)) return Why("例数不足");
  if (!degrees || !(*degrees > 1.0)) return Why("自由度不足");
  return Why("标准误为0或不能计算");
}

Answer PairedAnswer(std::string_view nText, std::string_view dText, std::string_view sdText,
                    std::string_view tText, Alpha alpha) {
  const auto t = Shown(tText);
  if (t) {
    if (auto p = TwoSidedTP(*t, ReadNumber(nText) - 1.0)) {
      return WithP(p, alpha, Finding::kDifference);
    }
  }
  if (!AnyFilled({nText, dText, sdText})) return {};
  if (!(ReadNumber(nText) >= 2.0)) return Why("对子数不足");
  return Why("标准误为0或不能计算");
}

Answer CorrelationAnswer(std::string_view nText, std::string_view rText, std::string_view tText,
                         Alpha alpha) {
  const auto t = Shown(tText);
  if (t) {
    if (auto p = TwoSidedTP(*t, ReadNumber(nText) - 2.0)) {
      return WithP(p, alpha, Finding::kCorrelation);
    }
  }
  if (!AnyFilled({nText, rText})) return {};
  if (IsBlankText(rText)) return Why("r不能计算");
  if (!(ReadNumber(nText) > 2.0)) return Why("例数不足");
  if (std::fabs(ReadNumber(rText)) >= 1.0) return Why("完全相关，tr不能计算");
  return Why("tr不能计算");
}

Answer ChiSquareAnswer(const FourfoldCells& cells, std::string_view chiSquareText, Alpha alpha) {
  if (!AnyCell(cells)) return {};
  const FourfoldChiSquare table = ChiSquareOfTable(cells);
  if (table.fault == TableFault::kNegativeCount) return Why("频数不能为负");
  if (PrefersExactTest(cells)) {
    return WithP(FisherExactP(*WholeCounts(cells)), alpha, Finding::kDifference, PSource::kExact);
  }
  if (const auto chiSquare = Shown(chiSquareText)) {
    if (auto p = UpperChiSquareP(*chiSquare, 1.0)) {
      return WithP(p, alpha, Finding::kDifference,
                   ChiSquareSource(table.corrected, table.chiSquare, chiSquareText));
    }
  }
  if (table.n.empty()) return Why("总例数超出范围");
  return Why("行或列合计为0");
}

Answer PairedChiSquareAnswer(const FourfoldCells& cells, std::string_view chiSquareText,
                             Alpha alpha) {
  if (!AnyCell(cells)) return {};
  const PairedChiSquare table = PairedChiSquareOfTable(cells);
  if (table.fault == TableFault::kNegativeCount) return Why("频数不能为负");
  if (const auto chiSquare = Shown(chiSquareText)) {
    if (auto p = UpperChiSquareP(*chiSquare, 1.0)) {
      return WithP(p, alpha, Finding::kDifference,
                   ChiSquareSource(table.corrected, table.chiSquare, chiSquareText));
    }
  }
  if (table.n.empty()) return Why("总例数超出范围");
  return Why("无不一致的对子");
}

}  // namespace sumvane
