// The paired t-test worked out by hand: the check of the differences'
// normality, the standard error of the mean difference, t and ν, then the
// effect with its interval and the signed-rank test.
#include <optional>
#include <string>

#include "report/check_sections.h"
#include "report/effect_sections.h"
#include "report/html.h"
#include "report/reports.h"
#include "report/steps.h"
#include "stats/number.h"
#include "stats/paired.h"

namespace sumvane {
namespace {

using html::Sub;
using report::Operand;
using report::Shown;

const std::string kMeanDifference = html::Overline("d");
const std::string kStandardError = "S" + Sub(kMeanDifference);

// The standard error, t and ν as the panel has them; false where a figure
// cannot be formed.
bool WriteStatistic(html::Page& page, const PairedResult& result) {
  const PairedResult::Shown& shown = result.shown;
  if (!(result.inputs.n.Read() >= 2.0)) {
    report::WriteStop(page, "对子数n须至少为2，标准误不能计算。");
    return false;
  }
  page.Paragraph("标准误 " + kStandardError + " = S" + Sub("d") +
                 "/√n = " + Operand(shown.sdDifference) + "/√" + Operand(shown.n) + " = " +
                 Shown(shown.standardError));
  if (!result.standardError) {
    report::WriteStop(page, "标准误超出数的范围，不能计算。");
    return false;
  }
  if (*result.standardError == 0.0) {
    report::WriteStop(page, "标准误为0（差值标准差为0或未输入），t不能计算。");
    return false;
  }
  page.Paragraph("t = |" + kMeanDifference + "|/" + kStandardError + " = |" +
                 Operand(shown.meanDifference) + "|/" + Operand(shown.standardError) + " = " +
                 Shown(shown.t));
  if (!result.t) {
    report::WriteStop(page, "t超出数的范围，不能计算。");
    return false;
  }
  page.Paragraph("ν = n−1 = " + Operand(shown.n) + "−1 = " + NumberText(*result.degrees));
  return true;
}

void WriteChecks(html::Page& page, const PairedResult& result, const ReportPictures& pictures) {
  report::BeginChecks(page);
  if (!result.checks) {
    report::WriteNeedsRawData(page, "差值");
    return;
  }
  const ShapiroWilkTest& normality = result.checks->normality;
  const report::Normality found = report::WriteNormality(page, "差值", normality);
  page.Insert(pictures.checks);
  report::WriteAdvice(page, found, "差值", normality.n, "配对t检验", "Wilcoxon符号秩检验");
}

}  // namespace

std::string PairedReport(const PairedResult& result, const ReportPictures& pictures) {
  html::Page page("配对t检验");
  const PairedInputs& in = result.inputs;
  const PairedResult::Shown& shown = result.shown;
  const Alpha alpha = result.alpha;
  if (in.unequalGroups) {
    report::WriteStop(page, "两组例数不等，不能配成对子：请使两组的数据个数相同后再计算。");
    return page.Text();
  }
  if (in.n.IsBlank() && in.meanDifference.IsBlank() && in.sdDifference.IsBlank()) {
    page.Paragraph("请输入对子数、差值均数和差值标准差，或在列表中输入两组配对数据后按“计算”。");
    return page.Text();
  }
  report::BeginStep(page, report::Step::kData);
  page.Table({{"对子数 n", "差值均数 " + kMeanDifference, "差值标准差 S" + Sub("d")},
              {Shown(shown.n), Shown(shown.meanDifference), Shown(shown.sdDifference)}});
  page.Insert(pictures.data);
  WriteChecks(page, result, pictures);

  report::BeginStep(page, report::Step::kHypotheses);
  report::WriteHypotheses(page, "μ" + Sub("d") + "=0，即两种处理的效应相同",
                          "μ" + Sub("d") + "≠0，即两种处理的效应不同", alpha);

  report::BeginStep(page, report::Step::kStatistic);
  if (!WriteStatistic(page, result)) return page.Text();

  report::BeginStep(page, report::Step::kConclusion);
  const std::string nu = NumberText(*result.degrees);
  report::WriteTableLookUp(page, {CriticalTable::kT, "t", shown.t, *result.degrees, nu}, alpha);
  report::WriteConclusion(page, result.answer, "按t分布（ν=" + nu + "）计算", alpha,
                          Finding::kDifference, "两种处理的效应不同");
  page.Insert(pictures.test);

  report::BeginStep(page, report::Step::kRemarks);
  report::WritePairedEffects(page, result);
  if (result.checks) {
    report::WriteSignedRank(page, result.checks->signedRank, in.differences, alpha);
  }
  return page.Text();
}

}  // namespace sumvane
