#include "stats/two_sample.h"

#include <cmath>

#include "stats/arithmetic.h"
#include "stats/effect_figures.h"
#include "stats/four_digit_text.h"
#include "stats/moments.h"
#include "stats/number.h"
#include "stats/p_values.h"

namespace sumvane {
namespace {

constexpr FigureStyle kStyle = FigureStyle::kPlain;

std::string InBox(const std::optional<double>& figure) {
  return FigureText(figure, kStyle, kTwoSampleBoxWidth);
}

GroupStatistics Statistics(const GroupInputs& group) {
  return {group.mean.Read(), group.sd.Read(), group.n.Read()};
}

bool AnyFilled(const std::array<GroupInputs, 2>& groups) {
  for (const GroupInputs& g : groups) {
    if (!g.mean.IsBlank() || !g.sd.IsBlank() || !g.n.IsBlank()) return true;
  }
  return false;
}

std::optional<double> Degrees(double n1, double n2) {
  if (!(n1 >= 1.0) || !(n2 >= 1.0)) return std::nullopt;
  const Blank degrees = Subtract(Add(n1, n2), 2.0);
  if (!degrees || *degrees < 1.0) return std::nullopt;
  return degrees;
}

// P and the verdict of t, Welch's t′ in its place where the variances differ;
// or why there is none.
Answer TestAnswer(const TwoSampleResult& r) {
  if (r.t && r.degrees) {
    if (r.welchAnswers) {
      Answer answer = AnswerWithP(r.welch->p, r.alpha, Finding::kDifference, PSource::kWelch);
      answer.welch = r.welch;
      return answer;
    }
    if (const auto p = TwoSidedTP(*r.t, *r.degrees))
      return AnswerWithP(p, r.alpha, Finding::kDifference);
  }
  if (!AnyFilled(r.groups)) return {};
  if (!(r.groups[0].n.Read() >= 1.0) || !(r.groups[1].n.Read() >= 1.0))
    return AnswerWhyNot("例数不足");
  if (!r.degrees || !(*r.degrees > 1.0)) return AnswerWhyNot("自由度不足");
  return AnswerWhyNot("标准误为0或不能计算");
}

// The checks of the list's two groups, the hint they add to the verdict and
// their lines for the clipboard.
void CheckAssumptions(TwoSampleResult& r) {
  const std::vector<double>&first = r.groups[0].values, &second = r.groups[1].values;
  if (first.empty() || second.empty()) return;
  r.checks = CheckTwoSamples(first, second);
  const TwoSampleChecks& checks = *r.checks;
  for (int g = 0; g < 2; ++g) {
    const ShapiroWilkTest& normality = checks.normality[g];
    const std::string before = r.answer.verdict;
    AddNormalityHint(r.answer, normality.p, normality.n);
    if (r.answer.verdict != before) break;  // one hint for either group
  }
  for (int g = 0; g < 2; ++g) {
    const ShapiroWilkTest& normality = checks.normality[g];
    if (!normality.w || !normality.p) continue;
    const std::string group = g == 0 ? "第1组" : "第2组";
    r.figures.push_back({group + "正态性（Shapiro-Wilk）W", FourDigitText(normality.w)});
    r.figures.push_back({group + "正态性（Shapiro-Wilk）P", PText(normality.p)});
  }
  if (checks.levene.f && checks.levene.p) {
    r.figures.push_back({"方差齐性（Levene）F", FourDigitText(checks.levene.f)});
    r.figures.push_back({"方差齐性（Levene）P", PText(checks.levene.p)});
  }
  if (checks.rankSum.p) {
    r.figures.push_back({"Wilcoxon秩和检验T", FormatDecimal(checks.rankSum.t)});
    r.figures.push_back({"Wilcoxon秩和检验P", PText(checks.rankSum.p)});
  }
}

}  // namespace

GroupInputs SummariseGroup(std::span<const Observation> values) {
  const MeanAndSd figures = DescribeValues(values);
  GroupInputs group{PanelFigure::Formed(figures.mean), PanelFigure::Formed(figures.sd),
                    PanelFigure::Formed(static_cast<double>(values.size()))};
  group.values.reserve(values.size());
  for (const Observation& value : values) group.values.push_back(value.Value());
  return group;
}

TwoSampleResult AnalyseTwoSample(const std::array<GroupInputs, 2>& groups, Alpha alpha) {
  TwoSampleResult r;
  r.alpha = alpha;
  r.groups = groups;
  const double n1 = groups[0].n.Read(), n2 = groups[1].n.Read();
  r.degrees = Degrees(n1, n2);
  if (r.degrees && *r.degrees > 1.0) {
    r.pooledVariance = Divide(Add(Multiply(n1 - 1.0, Square(groups[0].sd.Read())),
                                  Multiply(n2 - 1.0, Square(groups[1].sd.Read()))),
                              *r.degrees);
    r.standardError = SquareRoot(Multiply(r.pooledVariance, Add(Divide(1.0, n1), Divide(1.0, n2))));
    r.t = Divide(Absolute(Subtract(groups[0].mean.Read(), groups[1].mean.Read())), r.standardError);
  }

  const GroupStatistics first = Statistics(groups[0]), second = Statistics(groups[1]);
  r.varianceRatio = VarianceRatioTest(first.sd, first.n, second.sd, second.n);
  r.welch = WelchTTest(first, second);
  r.unequalVariances = r.varianceRatio && IsSignificant(r.varianceRatio->p, alpha);
  r.welchAnswers = r.t && r.welch && r.unequalVariances;
  r.interval = r.welchAnswers ? WelchDifferenceInterval(first, second)
                              : PooledDifferenceInterval(first, second);
  r.answer = TestAnswer(r);
  // Where Welch's t′ answers, the table points at it, in the row of ν′.
  r.question = r.welchAnswers ? TableQuestion{CriticalTable::kT, r.welch->df, std::fabs(r.welch->t)}
                              : TableQuestion{CriticalTable::kT, r.degrees, r.t};

  for (int g = 0; g < 2; ++g) {
    r.shown.mean[g] = groups[g].mean.Shown(kStyle, kTwoSampleBoxWidth);
    r.shown.sd[g] = groups[g].sd.Shown(kStyle, kTwoSampleBoxWidth);
    r.shown.n[g] = groups[g].n.Shown(kStyle, kTwoSampleBoxWidth);
  }
  r.shown.degrees = InBox(r.degrees);
  r.shown.t = InBox(r.t);
  r.figures = {{"均数(X1)", r.shown.mean[0]},        {"标准差(S1)", r.shown.sd[0]},
               {"例数(N1)", r.shown.n[0]},           {"均数(X2)", r.shown.mean[1]},
               {"标准差(S2)", r.shown.sd[1]},        {"例数(N2)", r.shown.n[1]},
               {"自由度(N1+N2-2)", r.shown.degrees}, {"t", r.shown.t}};
  CheckAssumptions(r);
  if (AnyFilled(groups)) {
    r.effects = TwoSampleEffectsOf(first, second);
    AddTwoSampleEffectFigures(*r.effects, r.welchAnswers, r.figures);
  }
  return r;
}

}  // namespace sumvane
