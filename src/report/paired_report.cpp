// The paired t-test worked out by hand: the standard error of the mean
// difference, t and ν, then the interval of the mean difference.
#include <optional>
#include <string>

#include "report/html.h"
#include "report/reports.h"
#include "report/steps.h"
#include "stats/answers.h"
#include "stats/arithmetic.h"
#include "stats/number.h"
#include "stats/report_figures.h"

namespace sumvane {
namespace {

using html::Sub;
using report::Operand;
using report::Shown;

const std::string kMeanDifference = html::Overline("d");
const std::string kStandardError = "S" + Sub(kMeanDifference);

// The standard error as the hidden box holds it, t and ν; false where a
// figure cannot be formed.
bool WriteStatistic(html::Page& page, const PairedPanelTexts& panel) {
  const double n = ReadNumber(panel.n);
  if (!(n >= 2.0)) {
    report::WriteStop(page, "对子数n须至少为2，标准误不能计算。");
    return false;
  }
  page.Paragraph("标准误 " + kStandardError + " = S" + Sub("d") +
                 "/√n = " + Operand(panel.sdDifference) + "/√" + Operand(panel.n) + " = " +
                 Shown(panel.standardError));
  if (report::IsBlank(panel.standardError)) {
    report::WriteStop(page, "标准误超出数的范围，不能计算。");
    return false;
  }
  if (ReadNumber(panel.standardError) == 0.0) {
    report::WriteStop(page, "标准误为0（差值标准差为0或未输入），t不能计算。");
    return false;
  }
  page.Paragraph("t = |" + kMeanDifference + "|/" + kStandardError + " = |" +
                 Operand(panel.meanDifference) + "|/" + Operand(panel.standardError) + " = " +
                 Shown(panel.t));
  if (report::IsBlank(panel.t)) {
    report::WriteStop(page, "t超出数的范围，不能计算。");
    return false;
  }
  page.Paragraph("ν = n−1 = " + Operand(panel.n) + "−1 = " + NumberText(n - 1.0));
  return true;
}

}  // namespace

std::string PairedReport(const PairedPanelTexts& panel, Alpha alpha,
                         const ReportPictures& pictures) {
  html::Page page("配对t检验");
  if (panel.unequalGroups) {
    report::WriteStop(page, "两组例数不等，不能配成对子：请使两组的数据个数相同后再计算。");
    return page.Text();
  }
  if (report::IsBlank(panel.n) && report::IsBlank(panel.meanDifference) &&
      report::IsBlank(panel.sdDifference)) {
    page.Paragraph("请输入对子数、差值均数和差值标准差，或在列表中输入两组配对数据后按“计算”。");
    return page.Text();
  }
  report::BeginStep(page, report::Step::kData);
  page.Table({{"对子数 n", "差值均数 " + kMeanDifference, "差值标准差 S" + Sub("d")},
              {Shown(panel.n), Shown(panel.meanDifference), Shown(panel.sdDifference)}});
  page.Insert(pictures.data);

  report::BeginStep(page, report::Step::kHypotheses);
  report::WriteHypotheses(page, "μ" + Sub("d") + "=0，即两种处理的效应相同",
                          "μ" + Sub("d") + "≠0，即两种处理的效应不同", alpha);

  report::BeginStep(page, report::Step::kStatistic);
  if (!WriteStatistic(page, panel)) return page.Text();

  report::BeginStep(page, report::Step::kConclusion);
  const double n = ReadNumber(panel.n);
  const std::string nu = NumberText(n - 1.0);
  report::WriteTableLookUp(page, {CriticalTable::kT, "t", panel.t, n - 1.0, nu}, alpha);
  const Answer answer =
      PairedAnswer(panel.n, panel.meanDifference, panel.sdDifference, panel.t, alpha);
  report::WriteConclusion(page, answer, "按t分布（ν=" + nu + "）计算", alpha, Finding::kDifference,
                          "两种处理的效应不同");
  page.Insert(pictures.test);

  report::BeginStep(page, report::Step::kRemarks);
  const std::optional<Interval> interval =
      PairedDifferenceInterval(ReadNumber(panel.meanDifference), ReadNumber(panel.sdDifference), n);
  page.Paragraph(
      "差值总体均数μ" + Sub("d") + "的95%可信区间：" + kMeanDifference + " ± t" + Sub("0.05/2,ν") +
      kStandardError + " = " +
      (interval ? report::IntervalText(*interval) : std::string("不能计算（差值标准差为0）")));
  return page.Text();
}

}  // namespace sumvane
