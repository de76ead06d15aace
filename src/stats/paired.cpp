#include "stats/paired.h"

#include "stats/arithmetic.h"
#include "stats/four_digit_text.h"
#include "stats/moments.h"
#include "stats/number.h"
#include "stats/p_values.h"

namespace sumvane {
namespace {

constexpr FigureStyle kStyle = FigureStyle::kPlain;

Answer TestAnswer(const PairedResult& r) {
  if (r.inputs.unequalGroups) return AnswerWhyNot(std::string(kUnequalGroups));
  const PairedInputs& in = r.inputs;
  if (r.t) {
    if (const auto p = TwoSidedTP(*r.t, in.n.Read() - 1.0)) {
      return AnswerWithP(p, r.alpha, Finding::kDifference);
    }
  }
  if (in.n.IsBlank() && in.meanDifference.IsBlank() && in.sdDifference.IsBlank()) return {};
  if (!(in.n.Read() >= 2.0)) return AnswerWhyNot("对子数不足");
  return AnswerWhyNot("标准误为0或不能计算");
}

// The clipboard's lines of the effect and the checks, after the panel's own.
void AddEffectLines(PairedResult& r) {
  const PairedEffects& e = r.effects;
  if (e.interval) r.figures.push_back({"差值均数95%可信区间", FourDigitInterval(*e.interval)});
  if (e.d) r.figures.push_back({"Cohen's d", FourDigitText(e.d)});
  if (e.dInterval) {
    r.figures.push_back({"d的95%可信区间（非中心t分布）", FourDigitInterval(*e.dInterval)});
  }
  if (!r.checks) return;
  const ShapiroWilkTest& sw = r.checks->normality;
  if (sw.w && sw.p) {
    r.figures.push_back({"差值正态性（Shapiro-Wilk）W", FourDigitText(sw.w)});
    r.figures.push_back({"差值正态性（Shapiro-Wilk）P", PText(sw.p)});
  }
  const SignedRankTest& rank = r.checks->signedRank;
  if (rank.p) {
    r.figures.push_back({"Wilcoxon符号秩检验T+", NumberText(rank.tPlus)});
    r.figures.push_back({"Wilcoxon符号秩检验T-", NumberText(rank.tMinus)});
    r.figures.push_back({"Wilcoxon符号秩检验P", PText(rank.p)});
  }
}

}  // namespace

PairedInputs SummarisePairs(std::span<const Observation> x, std::span<const Observation> y) {
  PairedInputs inputs;
  if (x.size() != y.size()) {
    inputs.unequalGroups = true;
    return inputs;
  }
  const MeanAndSd figures = DescribeDifferences(x, y);
  inputs.n = PanelFigure::Formed(static_cast<double>(x.size()));
  inputs.meanDifference = PanelFigure::Formed(figures.mean);
  inputs.sdDifference = PanelFigure::Formed(figures.sd);
  return inputs;
}

PairedInputs PairsOfList(std::span<const Observation> x, std::span<const Observation> y) {
  PairedInputs inputs = SummarisePairs(x, y);
  inputs.differences = PairDifferences(x, y);
  return inputs;
}

PairedResult AnalysePaired(const PairedInputs& inputs, Alpha alpha) {
  PairedResult r;
  r.alpha = alpha;
  r.inputs = inputs;
  const double n = inputs.n.Read();
  if (n >= 2.0) {
    r.standardError = Divide(inputs.sdDifference.Read(), SquareRoot(n));
    r.t = Absolute(Divide(inputs.meanDifference.Read(), r.standardError));
    r.interval =
        PairedDifferenceInterval(inputs.meanDifference.Read(), inputs.sdDifference.Read(), n);
  }
  if (inputs.t.IsTyped()) r.t = inputs.t.Value();
  if (inputs.n.Value()) r.degrees = n - 1.0;
  if (r.degrees) r.tQuantile = StudentTQuantile975(*r.degrees);
  if (inputs.n.Value() && inputs.meanDifference.Value() && inputs.sdDifference.Value()) {
    r.effects = PairedEffectsOf(n, inputs.meanDifference.Read(), inputs.sdDifference.Read());
  } else {
    r.effects.gap = StandardizedGap::kInvalidFigures;
  }
  if (!inputs.differences.empty()) r.checks = CheckPairs(inputs.differences);
  r.answer = TestAnswer(r);
  if (r.checks) {
    AddNormalityHint(r.answer, r.checks->normality.p, r.checks->normality.n);
  }
  r.question = {CriticalTable::kT, r.degrees, r.t};

  r.shown = {inputs.n.Shown(kStyle, kPairedBoxWidth),
             inputs.meanDifference.Shown(kStyle, kPairedBoxWidth),
             inputs.sdDifference.Shown(kStyle, kPairedBoxWidth),
             FigureText(r.standardError, kStyle, kPairedBoxWidth),
             inputs.t.IsTyped() ? inputs.t.Shown(kStyle, kPairedBoxWidth)
                                : FigureText(r.t, kStyle, kPairedBoxWidth)};
  r.figures = {{"对子数(N)", r.shown.n},
               {"对子差值均数(d)", r.shown.meanDifference},
               {"对子差值均数标准差(Sd)", r.shown.sdDifference},
               {"t", r.shown.t}};
  AddEffectLines(r);
  return r;
}

}  // namespace sumvane
