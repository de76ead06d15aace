// Linear correlation worked out by hand: the check of the residuals'
// normality, r and the regression equation as the panel shows them, the t of
// r and ν, then the effect with its intervals and Spearman's r_s.
#include <cmath>
#include <optional>
#include <string>

#include "report/check_sections.h"
#include "report/effect_sections.h"
#include "report/html.h"
#include "report/reports.h"
#include "report/steps.h"
#include "stats/four_digit_text.h"
#include "stats/number.h"
#include "stats/regression.h"

namespace sumvane {
namespace {

using html::Sub;
using html::Sup;
using report::Operand;
using report::Shown;

const std::string kTOfR = "t" + Sub("r");

// r, the equation, the t of r and ν; false where a figure cannot be formed.
bool WriteStatistic(html::Page& page, const CorrelationResult& result) {
  const CorrelationResult::Shown& panel = result.shown;
  if (result.inputs.r.IsBlank()) {
    report::WriteStop(page, "r不能计算：没有数据，或X或Y的各值全都相同。");
    return false;
  }
  page.Paragraph("r = l" + Sub("XY") + "/√(l" + Sub("XX") + "l" + Sub("YY") +
                 ") = " + Shown(panel.r));
  page.Paragraph(report::IsBlank(panel.equation)
                     ? std::string("回归方程：n与r为手工输入，没有回归方程。")
                     : "回归方程 Ŷ=a+bX（b=l" + Sub("XY") + "/l" + Sub("XX") + "，a=Ȳ−b" +
                           html::Overline("X") + "）：" + Shown(panel.equation));

  const double n = result.inputs.n.Read();
  if (!(n > 2.0)) {
    report::WriteStop(page, "例数n须大于2，" + kTOfR + "不能计算。");
    return false;
  }
  if (std::fabs(result.inputs.r.Read()) >= 1.0) {
    report::WriteStop(page, "|r|≥1，" + kTOfR + "的分母为0或不能开方，" + kTOfR + "不能计算。");
    return false;
  }
  page.Paragraph(kTOfR + " = |r|/√[(1−r" + Sup("2") + ")/(n−2)] = |" + Operand(panel.r) +
                 "|/√[(1−" + Operand(panel.r) + Sup("2") + ")/(" + Operand(panel.n) +
                 "−2)] = " + Shown(panel.tOfR));
  if (!result.tOfR) {
    report::WriteStop(page, kTOfR + "超出数的范围，不能计算。");
    return false;
  }
  page.Paragraph("ν = n−2 = " + Operand(panel.n) + "−2 = " + NumberText(*result.degrees));
  return true;
}

void WriteResidualNormality(html::Page& page, const CorrelationResult& result,
                            const ReportPictures& pictures) {
  const ShapiroWilkTest& normality = result.checks->residualNormality;
  const report::Normality found = report::WriteNormality(page, "残差（Y−Ŷ）", normality);
  page.Insert(pictures.checks);
  report::WriteAdvice(page, found, "残差", normality.n, "直线相关与回归的t检验", "Spearman秩相关");
}

void WriteChecks(html::Page& page, const CorrelationResult& result,
                 const ReportPictures& pictures) {
  report::BeginChecks(page);
  if (!result.checks) {
    page.Paragraph(
        "残差的正态性检验与Spearman秩相关需要原始数据：请在列表中输入成对的X、Y后按“计算”。");
    return;
  }
  if (!result.inputs.line || !result.inputs.line->slope) {
    page.Paragraph("X的各值全部相同，没有回归直线，残差的正态性不能检验。");
  } else {
    WriteResidualNormality(page, result, pictures);
  }
}

}  // namespace

std::string CorrelationReport(const CorrelationResult& result, const ReportPictures& pictures) {
  html::Page page("直线相关与回归");
  const CorrelationInputs& in = result.inputs;
  const CorrelationResult::Shown& panel = result.shown;
  const Alpha alpha = result.alpha;
  if (in.unequalGroups) {
    report::WriteStop(page, "两组例数不等，X与Y不能配成对子：请使两组的数据个数相同后再计算。");
    return page.Text();
  }
  if (in.n.IsBlank() && in.r.IsBlank()) {
    page.Paragraph(
        "请在列表中输入成对的X（第1组）与Y（第2组）数据后按“计算”，"
        "或输入例数n与相关系数r。");
    return page.Text();
  }
  report::BeginStep(page, report::Step::kData);
  page.Table({{"例数 n", "相关系数 r", "回归方程"},
              {Shown(panel.n), Shown(panel.r), Shown(panel.equation)}});
  page.Insert(pictures.data);
  WriteChecks(page, result, pictures);

  report::BeginStep(page, report::Step::kHypotheses);
  report::WriteHypotheses(page, "ρ=0，即两变量间无直线相关关系", "ρ≠0，即两变量间有直线相关关系",
                          alpha);

  report::BeginStep(page, report::Step::kStatistic);
  if (!WriteStatistic(page, result)) return page.Text();

  report::BeginStep(page, report::Step::kConclusion);
  const double df = *result.degrees;
  const std::string nu = NumberText(df);
  report::WriteTableLookUp(page, {CriticalTable::kT, kTOfR, panel.tOfR, df, nu}, alpha);
  std::string_view magnitude = panel.r;
  if (magnitude.starts_with('-')) magnitude.remove_prefix(1);
  report::WriteTableLookUp(page, {CriticalTable::kR, "|r|", magnitude, df, nu}, alpha);
  report::WriteConclusion(page, result.answer, "按t分布（ν=" + nu + "）计算", alpha,
                          Finding::kCorrelation, "两变量间存在直线相关关系");
  page.Insert(pictures.test);

  report::BeginStep(page, report::Step::kRemarks);
  report::WriteCorrelationEffects(page, result);
  if (result.checks) report::WriteSpearman(page, result.checks->spearman, alpha);
  return page.Text();
}

}  // namespace sumvane
