#include "stats/regression.h"

#include <cmath>

#include "stats/arithmetic.h"
#include "stats/number.h"
#include "stats/p_values.h"

namespace sumvane {
namespace {

constexpr FigureStyle kStyle = FigureStyle::kDecimal;

std::optional<double> TOfR(const CorrelationInputs& in) {
  if (in.r.IsBlank()) return std::nullopt;
  const Blank r = Absolute(in.r.Read());
  const Blank spread = Divide(Subtract(1.0, Square(r)), Subtract(in.n.Read(), 2.0));
  return Divide(r, SquareRoot(spread));
}

Answer TestAnswer(const CorrelationResult& result) {
  const CorrelationInputs& in = result.inputs;
  if (in.unequalGroups) return AnswerWhyNot(std::string(kUnequalGroups));
  if (result.tOfR) {
    if (const auto p = TwoSidedTP(*result.tOfR, in.n.Read() - 2.0)) {
      return AnswerWithP(p, result.alpha, Finding::kCorrelation);
    }
  }
  if (in.n.IsBlank() && in.r.IsBlank()) return {};
  if (in.r.IsBlank()) return AnswerWhyNot("r不能计算");
  if (!(in.n.Read() > 2.0)) return AnswerWhyNot("例数不足");
  if (std::fabs(in.r.Read()) >= 1.0) return AnswerWhyNot("完全相关，tr不能计算");
  return AnswerWhyNot("tr不能计算");
}

}  // namespace

CorrelationInputs Regress(std::span<const Observation> x, std::span<const Observation> y) {
  CorrelationInputs inputs;
  if (x.size() != y.size()) {
    inputs.unequalGroups = true;
  } else if (!x.empty()) {
    const FittedLine line = FitLine(x, y);
    inputs.n = PanelFigure::Formed(static_cast<double>(x.size()));
    inputs.r = PanelFigure::Formed(line.r);
    inputs.line = line;
  }
  return inputs;
}

std::string EquationText(const FittedLine& line) {
  if (!line.intercept || !line.slope) return "";
  const std::string intercept = ClipText(FormatDecimal(*line.intercept), kCoefficientWidth);
  const std::string slope = ClipText(FormatDecimal(*line.slope), kCoefficientWidth);
  // A negative slope is joined by its own sign, spaced as a plus is.
  if (slope.starts_with('-')) return "Y=" + intercept + " - " + slope.substr(1) + "X";
  return "Y=" + intercept + " + " + slope + "X";
}

CorrelationResult AnalyseCorrelation(const CorrelationInputs& inputs, Alpha alpha) {
  CorrelationResult result;
  result.alpha = alpha;
  result.inputs = inputs;
  result.tOfR = TOfR(inputs);
  if (inputs.n.Value()) result.degrees = inputs.n.Read() - 2.0;
  if (inputs.r.Value()) result.rhoInterval = CorrelationInterval(inputs.r.Read(), inputs.n.Read());
  result.answer = TestAnswer(result);
  result.question = {CriticalTable::kR, result.degrees, inputs.r.Value()};

  result.shown = {inputs.n.Shown(FigureStyle::kPlain, kWholeFigure),
                  inputs.r.Shown(kStyle, kRWidth), FigureText(result.tOfR, kStyle, kTOfRWidth),
                  inputs.typedEquation ? *inputs.typedEquation
                  : inputs.line        ? EquationText(*inputs.line)
                                       : ""};
  result.figures = {{"例数(n)", result.shown.n},
                    {"r", result.shown.r},
                    {"tr", result.shown.tOfR},
                    {"回归方程(Y)", result.shown.equation}};
  return result;
}

}  // namespace sumvane
