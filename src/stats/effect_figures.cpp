#include "stats/effect_figures.h"

#include "stats/four_digit_text.h"
#include "stats/number.h"

namespace sumvane {
namespace {

constexpr std::string_view kNoUpperLimit = "无上限";
constexpr std::string_view kInfinity = "无穷大";

std::string Figure(const std::optional<double>& value) { return FourDigitText(value); }

std::string Figure(const std::optional<Interval>& interval) {
  return interval ? IntervalFigure(*interval) : std::string();
}

}  // namespace

std::string IntervalFigure(const Interval& interval) {
  return "(" + FourDigitText(interval.lower) + ", " + FourDigitText(interval.upper) + ")";
}

std::string IntervalFigure(const RatioInterval& interval) {
  const std::string upper =
      interval.upperInfinite ? std::string(kNoUpperLimit) : FourDigitText(interval.upper);
  return "(" + FourDigitText(interval.lower) + ", " + upper + ")";
}

std::string NntIntervalFigure(const NumberNeededToTreat& nnt) {
  if (!nnt.throughInfinity) return Figure(nnt.interval);
  // RD's lower limit lies on the side where the treated row's risk is lower.
  std::string text;
  if (nnt.secondHigherFrom) text = "NNTB " + FourDigitText(nnt.secondHigherFrom) + " 至 ";
  text += kInfinity;
  if (nnt.firstHigherFrom) text += " 至 NNTH " + FourDigitText(nnt.firstHigherFrom);
  return text;
}

void AddTwoSampleEffectFigures(const TwoSampleEffects& effects, bool welchAnswers,
                               std::vector<ShownFigure>& figures) {
  figures.push_back({"均数之差(X1-X2)", Figure(effects.difference)});
  figures.push_back({"均数之差的95%可信区间", Figure(effects.pooledInterval)});
  if (welchAnswers) {
    figures.push_back({"均数之差的95%可信区间(t′检验)", Figure(effects.welchInterval)});
  }
  figures.push_back({"Cohen's d", Figure(effects.d)});
  figures.push_back({"d的95%可信区间(非中心t分布)", Figure(effects.dInterval)});
  figures.push_back({"Hedges' g", Figure(effects.g)});
  figures.push_back({"g的95%可信区间(非中心t分布)", Figure(effects.gInterval)});
}

void AddFourfoldEffectFigures(const FourfoldEffects& effects,
                              const std::optional<ExactOddsRatio>& exact,
                              std::vector<ShownFigure>& figures) {
  const std::string corrected = effects.haldaneAnscombe ? "(各格加0.5)" : "";
  figures.push_back({"OR" + corrected, Figure(effects.oddsRatio.estimate)});
  figures.push_back({"OR的95%可信区间(Woolf法)", Figure(effects.oddsRatio.interval)});
  if (exact) {
    const bool formed = exact->gap == ExactOddsRatioGap::kNone;
    figures.push_back({"OR(精确法)", formed ? Figure(exact->estimate) : ""});
    figures.push_back({"OR的95%可信区间(精确法)", formed ? IntervalFigure(exact->interval) : ""});
  }
  figures.push_back({"RR" + corrected, Figure(effects.riskRatio.estimate)});
  figures.push_back({"RR的95%可信区间(Katz法)", Figure(effects.riskRatio.interval)});
  const RiskDifference& rd = effects.riskDifference;
  figures.push_back({"RD", Figure(rd.difference)});
  figures.push_back({"RD的95%可信区间(正态近似法)", Figure(rd.wald)});
  figures.push_back({"RD的95%可信区间(Newcombe法)", Figure(rd.newcombe)});
  const NumberNeededToTreat& nnt = effects.numberNeeded;
  const bool nntFormed = nnt.gap == EffectGap::kNone && nnt.nnt;
  // A whole number, written whole however large.
  figures.push_back({"NNT", nntFormed ? NumberText(*nnt.nnt) : ""});
  figures.push_back({"NNT的95%可信区间", nntFormed ? NntIntervalFigure(nnt) : ""});
}

std::vector<ForestFacts> FourfoldForests(const FourfoldEffects& effects,
                                         const std::optional<ExactOddsRatio>& exact) {
  ForestFacts ratios{"OR与RR及其95%可信区间", true, 1.0, {}};
  ForestFacts differences{"RD及其95%可信区间", false, 0.0, {}};
  const auto add = [](ForestFacts& to, std::string name, const std::optional<double>& estimate,
                      const std::optional<Interval>& limits) {
    if (estimate && limits)
      to.rows.push_back({std::move(name), *estimate, limits->lower, limits->upper});
  };
  add(ratios, "OR（Woolf法）", effects.oddsRatio.estimate, effects.oddsRatio.interval);
  if (exact && exact->estimate && exact->interval.upper && exact->interval.lower > 0.0) {
    add(ratios, "OR（精确法）", exact->estimate,
        Interval{exact->interval.lower, *exact->interval.upper});
  }
  add(ratios, "RR（Katz法）", effects.riskRatio.estimate, effects.riskRatio.interval);
  const RiskDifference& rd = effects.riskDifference;
  add(differences, "正态近似", rd.difference, rd.wald);
  add(differences, "Newcombe", rd.difference, rd.newcombe);
  std::vector<ForestFacts> forests;
  for (ForestFacts* forest : {&ratios, &differences}) {
    if (!forest->rows.empty()) forests.push_back(std::move(*forest));
  }
  return forests;
}

void AddPairedTableEffectFigures(const std::optional<MatchedOddsRatio>& matched,
                                 const PairedRateDifference& rates,
                                 std::vector<ShownFigure>& figures) {
  const bool formed = matched && matched->gap == PairedGap::kNone;
  figures.push_back({"OR(配对)", formed ? Figure(matched->estimate) : ""});
  figures.push_back({"OR的95%可信区间(精确法)", formed ? IntervalFigure(matched->interval) : ""});
  figures.push_back({"阳性率之差", Figure(rates.difference)});
  figures.push_back({"阳性率之差的95%可信区间(正态近似法)", Figure(rates.interval)});
}

}  // namespace sumvane
