#include "stats/paired.h"

#include "stats/arithmetic.h"
#include "stats/moments.h"
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
  r.answer = TestAnswer(r);
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
  return r;
}

}  // namespace sumvane
