#include "stats/regression.h"

#include <cmath>

#include "stats/arithmetic.h"
#include "stats/four_digit_text.h"
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

void AddLine(CorrelationResult& result, std::string caption, const std::optional<double>& value) {
  if (value) result.figures.push_back({std::move(caption), FourDigitText(value)});
}

void AddLine(CorrelationResult& result, std::string caption,
             const std::optional<Interval>& interval) {
  if (interval) result.figures.push_back({std::move(caption), FourDigitInterval(*interval)});
}

// The clipboard's lines of the effect, the prediction and the checks.
void AddEffectLines(CorrelationResult& result) {
  AddLine(result, "r²", result.rSquared);
  AddLine(result, "ρ的95%可信区间（Fisher z）", result.rhoInterval);
  if (result.regression) {
    const RegressionInference& line = *result.regression;
    AddLine(result, "b", line.slope);
    AddLine(result, "S_b", line.slopeSe);
    AddLine(result, "b的95%可信区间", line.slopeInterval);
    AddLine(result, "a", line.intercept);
    AddLine(result, "S_a", line.interceptSe);
    AddLine(result, "a的95%可信区间", line.interceptInterval);
    AddLine(result, "S_y·x（剩余标准差）", line.residualSd);
    AddLine(result, "F（方差分析）", line.anova.f);
  }
  if (result.prediction && result.inputs.predictX) {
    AddLine(result, "X0", result.inputs.predictX);
    AddLine(result, "Ŷ", result.prediction->fitted);
    AddLine(result, "Y总体均数的95%可信区间", result.prediction->meanInterval);
    AddLine(result, "个体Y值的95%预测区间", result.prediction->predictionInterval);
  }
  if (!result.checks) return;
  const ShapiroWilkTest& sw = result.checks->residualNormality;
  if (sw.w && sw.p) {
    result.figures.push_back({"残差正态性（Shapiro-Wilk）W", FourDigitText(sw.w)});
    result.figures.push_back({"残差正态性（Shapiro-Wilk）P", PText(sw.p)});
  }
  const SpearmanTest& spearman = result.checks->spearman;
  if (spearman.rs && spearman.p) {
    result.figures.push_back({"Spearman秩相关r_s", FourDigitText(spearman.rs)});
    result.figures.push_back({"Spearman秩相关P", PText(spearman.p)});
  }
}

}  // namespace

CorrelationInputs Regress(std::span<const Observation> x, std::span<const Observation> y) {
  CorrelationInputs inputs;
  if (x.size() != y.size()) {
    inputs.unequalGroups = true;
  } else if (!x.empty()) {
    PairMoments moments = DescribePairs(x, y);
    inputs.n = PanelFigure::Formed(static_cast<double>(x.size()));
    inputs.r = PanelFigure::Formed(moments.line.r);
    inputs.line = moments.line;
    inputs.moments = std::move(moments);
  }
  return inputs;
}

CorrelationInputs PairsForRegression(std::span<const Observation> x,
                                     std::span<const Observation> y) {
  CorrelationInputs inputs = Regress(x, y);
  if (!inputs.moments) return inputs;
  inputs.x.reserve(x.size());
  inputs.y.reserve(y.size());
  for (const Observation& value : x) inputs.x.push_back(value.Value());
  for (const Observation& value : y) inputs.y.push_back(value.Value());
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
  if (inputs.moments) {
    result.regression = InferRegression(*inputs.moments);
    result.rSquared = result.regression->rSquared;
    if (inputs.predictX) result.prediction = PredictAt(*result.regression, *inputs.predictX);
  } else if (inputs.r.Value()) {
    result.rSquared = Square(inputs.r.Value());
  }
  if (inputs.line && !inputs.x.empty()) {
    result.checks = CheckCorrelation(inputs.x, inputs.y, *inputs.line);
  }
  result.answer = TestAnswer(result);
  if (result.checks) {
    const ShapiroWilkTest& residuals = result.checks->residualNormality;
    AddNormalityHint(result.answer, residuals.p, residuals.n);
  }
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
  AddEffectLines(result);
  return result;
}

}  // namespace sumvane
