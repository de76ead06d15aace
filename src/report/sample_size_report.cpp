// The page of a plan, step by step; the formulas themselves are written by
// sample_size_formulas.cpp.
#include "report/sample_size_report.h"

#include <array>
#include <string>

#include "report/html.h"
#include "report/sample_size_formulas.h"
#include "report/steps.h"
#include "stats/four_digit_text.h"
#include "stats/number.h"

namespace sumvane {
namespace {

using html::Sub;
using report::Given;
using report::SizeText;

std::string DesignName(StudyDesign design) {
  switch (design) {
    case StudyDesign::kTwoMeans:
      return "两样本均数比较";
    case StudyDesign::kPairedMeans:
      return "配对设计均数比较";
    case StudyDesign::kTwoRates:
      return "两样本率比较";
    case StudyDesign::kPairedRates:
      return "配对设计率比较";
    case StudyDesign::kCorrelation:
      break;
  }
  return "直线相关";
}

std::string SidesName(TestSides sides) {
  return sides == TestSides::kTwoSided ? "双侧检验" : "单侧检验";
}

bool Paired(StudyDesign design) {
  return design == StudyDesign::kPairedMeans || design == StudyDesign::kPairedRates;
}

// "一、…", "二、…" in the order written.
class Steps {
 public:
  explicit Steps(html::Page& page) : page_(page) {}
  void Begin(std::string_view title) {
    static constexpr std::array<const char*, 6> kNumbers = {"一", "二", "三", "四", "五", "六"};
    page_.Section(std::string(kNumbers[next_++]) + "、" + std::string(title));
  }

 private:
  html::Page& page_;
  std::size_t next_ = 0;
};

void WriteGiven(html::Page& page, const SampleSizeInputs& in) {
  html::Row header = {"检验水准α", "检验效能1−β"};
  html::Row values = {FormatDecimal(in.alpha), FormatDecimal(in.power)};
  const auto add = [&](std::string name, double value) {
    header.push_back(std::move(name));
    values.push_back(FormatDecimal(value));
  };
  switch (in.design) {
    case StudyDesign::kTwoMeans:
      add("δ", in.delta);
      add("σ", in.sigma);
      add("k = n" + Sub("2") + "/n" + Sub("1"), in.ratio);
      break;
    case StudyDesign::kPairedMeans:
      add("δ", in.delta);
      add("σ" + Sub("d"), in.sigma);
      break;
    case StudyDesign::kTwoRates:
      add("π" + Sub("1"), in.p1);
      add("π" + Sub("2"), in.p2);
      break;
    case StudyDesign::kPairedRates:
      add("π" + Sub("12"), in.p1);
      add("π" + Sub("21"), in.p2);
      break;
    case StudyDesign::kCorrelation:
      add("ρ", in.rho);
      break;
  }
  if (in.n) add(in.design == StudyDesign::kTwoMeans ? "给定n" + Sub("1") : "给定n", *in.n);
  page.Paragraph("设计：" + DesignName(in.design) + "，" + SidesName(in.sides) + "。");
  page.Table({header, values});
}

// "每组至少需85例，两组共170例", "n1取64例，n2取127例，共191例", "至少需16对".
std::string Sizes(StudyDesign design, double n1, double n2) {
  if (Paired(design)) return "至少需<b>" + NumberText(n1) + "</b>对";
  if (!HasTwoGroups(design)) return "至少需<b>" + NumberText(n1) + "</b>例";
  if (n1 == n2) {
    return "每组至少需<b>" + NumberText(n1) + "</b>例，两组共" + NumberText(n1 + n2) + "例";
  }
  return "n" + Sub("1") + "取<b>" + NumberText(n1) + "</b>例，n" + Sub("2") + "取<b>" +
         NumberText(n2) + "</b>例，共" + NumberText(n1 + n2) + "例";
}

void WriteNoncentralT(html::Page& page, const SampleSizePlan& plan) {
  const SecondSize& second = plan.second;
  if (second.gap == SecondGap::kTooLarge) {
    page.Paragraph("所需例数超过一千万，t分布与标准正态分布已无实际差别，不再按非中心t分布计算。");
    return;
  }
  if (!second.n1 || !second.n2 || !second.power) {
    report::WriteStop(page, "非中心t分布未能给出确切解。");
    return;
  }
  const bool pairs = plan.inputs.design == StudyDesign::kPairedMeans;
  page.Paragraph(
      "按t检验实际所用的非中心t分布计算检验效能（同R的power.t.test），"
      "求效能达到1−β的最少例数。");
  if (second.n) {
    page.Paragraph("效能恰为" + Given(plan.inputs.power) + "时 n" +
                   (pairs ? std::string() : Sub("1")) + " = " + SizeText(*second.n) + "。");
  } else {
    page.Paragraph("最少的例数已能达到1−β。");
  }
  const double degrees = pairs ? *second.n1 - 1.0 : *second.n1 + *second.n2 - 2.0;
  page.Paragraph("确切解：" + Sizes(plan.inputs.design, *second.n1, *second.n2) +
                 "，此时ν=" + NumberText(degrees) + "，" + PowerFigureText(*second.power) + "。");
  const FormulaSize& formula = *plan.formula;
  const double exactTotal = *second.n1 + *second.n2;
  const double formulaTotal = formula.n1 + formula.n2;
  const std::string unit = pairs ? "对" : "例";
  if (exactTotal == formulaTotal) {
    page.Paragraph("确切解与公式的结果相同。");
  } else if (exactTotal > formulaTotal) {
    page.Paragraph(
        "确切解比公式多" + NumberText(exactTotal - formulaTotal) + unit +
        "：公式用标准正态分布的u代替t分布的界值，相当于把σ当作已知；实际检验时σ由样本"
        "估计，t分布的尾部比正态分布厚，需要稍多的例数，例数越少差别越大。以确切解为准。");
  } else {
    page.Paragraph("确切解比公式少" + NumberText(formulaTotal - exactTotal) + unit + "：n" +
                   Sub("2") + "向上取整后留有余量，n" + Sub("1") + "可以少取。以确切解为准。");
  }
}

void WriteContinuityCorrection(html::Page& page, const SampleSizePlan& plan) {
  const SecondSize& second = plan.second;
  const FormulaSize& formula = *plan.formula;
  const SampleSizeInputs& in = plan.inputs;
  const std::string n = SizeText(formula.n);
  page.Paragraph("确切解：R的power.prop.test所解的正是上式，n = " + n + "，" +
                 Sizes(in.design, formula.n1, formula.n2) + "，与公式的结果相同。");
  page.Paragraph(
      "检验时若用连续性校正的χ²检验（或Fisher确切概率法），检验效能低于上式所设，"
      "应按校正后的例数（Fleiss等，1980）：");
  page.Paragraph("n′ = n/4·[1+√(1+4/(n|π" + Sub("1") + "−π" + Sub("2") + "|))]" + html::Sup("2") +
                 " = " + n + "/4×[1+√(1+4/(" + n + "×|" + Given(in.p1) + "−" + Given(in.p2) +
                 "|))]" + html::Sup("2") + " = " + SizeText(*second.n));
  page.Paragraph("取整：" + Sizes(in.design, *second.n1, *second.n2) + "。");
}

void WriteSecond(html::Page& page, Steps& steps, const SampleSizePlan& plan) {
  switch (plan.second.method) {
    case SecondMethod::kNoncentralT:
      steps.Begin("确切解（非中心t分布）");
      return WriteNoncentralT(page, plan);
    case SecondMethod::kContinuityCorrection:
      steps.Begin("确切解与连续性校正");
      return WriteContinuityCorrection(page, plan);
    case SecondMethod::kNone:
      break;
  }
  steps.Begin("说明");
  page.Paragraph(plan.inputs.design == StudyDesign::kPairedRates
                     ? "本设计只有McNemar检验的正态近似公式，不另给确切解。"
                     : "本设计只有Fisher z变换的正态近似公式，不另给确切解。");
}

void WritePower(html::Page& page, Steps& steps, const SampleSizePlan& plan) {
  const PowerAtSize& at = *plan.atN;
  const SampleSizeInputs& in = plan.inputs;
  steps.Begin("给定例数的检验效能");
  if (in.design == StudyDesign::kTwoMeans) {
    page.Paragraph("n" + Sub("1") + " = " + NumberText(at.n1) + "，n" + Sub("2") + " = " +
                   NumberText(at.n2) + "（k·n" + Sub("1") + "向上取整）");
  } else {
    page.Paragraph("n = " + NumberText(at.n1));
  }
  report::WritePowerSubstitution(page, in, *plan.formula, at);
  const std::string figure = PowerFigureText(at.formula);
  page.Paragraph("1−β = Φ(u" + Sub("β") + ") = Φ(" + FourDigitText(at.uBeta) +
                 ")（查标准正态分布表，正态近似）：" +
                 (at.exact ? figure : "<b>" + figure + "</b>") + "。");
  if (at.exact) {
    const double degrees =
        in.design == StudyDesign::kPairedMeans ? at.n1 - 1.0 : at.n1 + at.n2 - 2.0;
    page.Paragraph("按非中心t分布（ν=" + NumberText(degrees) + "）：<b>" +
                   PowerFigureText(*at.exact) + "</b>。");
  }
}

void WriteFaults(html::Page& page, const SampleSizeAnswer& answer) {
  page.Paragraph("设计：" + DesignName(answer.design) + "，" + SidesName(answer.sides) + "。");
  for (const InputFault& fault : answer.faults) {
    if (fault.missing) {
      page.Paragraph(html::Escape(fault.sentence));
    } else {
      report::WriteStop(page, html::Escape(fault.sentence));
    }
  }
}

}  // namespace

std::string SampleSizeReport(const SampleSizeAnswer& answer, std::string_view picture) {
  html::Page page("样本含量估计：" + DesignName(answer.design));
  if (!answer.plan) {
    WriteFaults(page, answer);
    return page.Text();
  }
  const SampleSizePlan& plan = *answer.plan;
  const SampleSizeInputs& in = plan.inputs;
  Steps steps(page);
  steps.Begin("设计与已知条件");
  WriteGiven(page, in);

  steps.Begin("估计公式");
  report::WriteFormula(page, in);

  steps.Begin("代入计算");
  if (!plan.formula) {
    report::WriteStop(page, plan.failure == PlanFailure::kTooLarge
                                ? "所需例数超出可计算的范围：要检出的差别相对于变异太小。"
                                : "输入有误，不能计算。");
    return page.Text();
  }
  const FormulaSize& formula = *plan.formula;
  page.Paragraph("查u界值表：" + report::AlphaQuantileCell(in, formula.uAlpha) + "，" +
                 report::BetaQuantileCell(in, formula.uBeta) + "（计算时用全精度的u）。");
  report::WriteSubstitution(page, in, formula);
  page.Paragraph("例数只入不舍，取整：" + Sizes(in.design, formula.n1, formula.n2) + "。");

  WriteSecond(page, steps, plan);
  if (plan.atN) WritePower(page, steps, plan);
  if (!picture.empty()) {
    steps.Begin("检验效能曲线");
    page.Insert(picture);
  }
  return page.Text();
}

}  // namespace sumvane
