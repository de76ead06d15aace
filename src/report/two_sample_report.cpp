// The two-sample t-test worked out by hand: the pooled variance, the standard
// error of the difference and t, then the variance ratio that tells whether
// pooling was fair, and Welch's t' where it was not, which then gives P and the
// conclusion; after them, how large the difference is.
#include <cmath>
#include <optional>
#include <string>

#include "report/html.h"
#include "report/reports.h"
#include "report/steps.h"
#include "report/two_sample_checks.h"
#include "report/two_sample_effect_section.h"
#include "stats/answers.h"
#include "stats/four_digit_text.h"
#include "stats/number.h"
#include "stats/two_sample.h"

namespace sumvane {
namespace {

using html::Sub;
using html::Sup;
using report::Operand;
using report::Shown;

const std::string kMean = html::Overline("X");
const std::string kMean1 = kMean + Sub("1"), kMean2 = kMean + Sub("2");
const std::string kSquare = Sup("2");
const std::string kStandardError = "S" + Sub(kMean + "1−" + kMean + "2");

void WriteData(html::Page& page, const TwoSampleResult::Shown& shown) {
  page.Table({{"组别", "例数 n", "均数 " + kMean, "标准差 S"},
              {"第1组", Shown(shown.n[0]), Shown(shown.mean[0]), Shown(shown.sd[0])},
              {"第2组", Shown(shown.n[1]), Shown(shown.mean[1]), Shown(shown.sd[1])}});
}

// Pooled variance, standard error and t; false where a figure cannot be formed.
bool WriteStatistic(html::Page& page, const TwoSampleResult& result) {
  const TwoSampleResult::Shown& shown = result.shown;
  const std::string sizes = Operand(shown.n[0]) + "+" + Operand(shown.n[1]);
  if (!(result.groups[0].n.Read() >= 1.0) || !(result.groups[1].n.Read() >= 1.0)) {
    report::WriteStop(page, "两组例数都须至少为1，自由度ν不能计算。");
    return false;
  }
  page.Paragraph("ν = n" + Sub("1") + "+n" + Sub("2") + "−2 = " + sizes +
                 "−2 = " + Shown(shown.degrees));
  if (!result.degrees || !(*result.degrees > 1.0)) {
    report::WriteStop(page, "自由度ν须大于1，t不能计算。");
    return false;
  }

  const std::string pooled = FourDigitText(result.pooledVariance);
  page.Paragraph("合并方差 S" + Sub("c") + kSquare + " = [(n" + Sub("1") + "−1)S" + Sub("1") +
                 kSquare + "+(n" + Sub("2") + "−1)S" + Sub("2") + kSquare + "]/(n" + Sub("1") +
                 "+n" + Sub("2") + "−2) = [(" + Operand(shown.n[0]) + "−1)×" +
                 Operand(shown.sd[0]) + kSquare + "+(" + Operand(shown.n[1]) + "−1)×" +
                 Operand(shown.sd[1]) + kSquare + "]/(" + sizes + "−2) = " + pooled);
  if (!result.pooledVariance) {
    report::WriteStop(page, "合并方差超出数的范围，不能计算。");
    return false;
  }

  const std::string standardError = FourDigitText(result.standardError);
  page.Paragraph("标准误 " + kStandardError + " = √[S" + Sub("c") + kSquare + "(1/n" + Sub("1") +
                 "+1/n" + Sub("2") + ")] = √[" + pooled + "×(1/" + Operand(shown.n[0]) + "+1/" +
                 Operand(shown.n[1]) + ")] = " + standardError);
  if (!result.standardError || *result.standardError == 0.0) {
    report::WriteStop(page, "标准误为0（两组标准差都为0或未输入）或不能计算，t不能计算。");
    return false;
  }

  page.Paragraph("t = |" + kMean1 + "−" + kMean2 + "|/" + kStandardError + " = |" +
                 Operand(shown.mean[0]) + "−" + Operand(shown.mean[1]) + "|/" + standardError +
                 " = " + Shown(shown.t));
  if (!result.t) {
    report::WriteStop(page, "t超出数的范围，不能计算。");
    return false;
  }
  return true;
}

const std::string kWelchError = "√(S" + Sub("1") + kSquare + "/n" + Sub("1") + "+S" + Sub("2") +
                                kSquare + "/n" + Sub("2") + ")";

// The variance ratio that tells whether pooling the variances was fair.
void WriteVarianceTest(html::Page& page, const TwoSampleResult& result) {
  const std::optional<VarianceRatio>& ratio = result.varianceRatio;
  if (!ratio) {
    report::WriteStop(page, "方差齐性检验不能进行：须两组例数都大于1，且两组标准差都不为0。");
    return;
  }
  const TwoSampleResult::Shown& shown = result.shown;
  const bool firstOnTop = result.groups[0].sd.Read() >= result.groups[1].sd.Read();
  const std::string& top = shown.sd[firstOnTop ? 0 : 1];
  const std::string& bottom = shown.sd[firstOnTop ? 1 : 0];
  page.Paragraph("方差齐性检验：F = S" + kSquare + Sub("较大") + "/S" + kSquare + Sub("较小") +
                 " = " + Operand(top) + kSquare + "/" + Operand(bottom) + kSquare + " = " +
                 FourDigitText(ratio->f) + "，ν" + Sub("1") + "=" + NumberText(ratio->numeratorDf) +
                 "，ν" + Sub("2") + "=" + NumberText(ratio->denominatorDf) + "，" +
                 html::Escape(PText(ratio->p)) + "。");
  const std::string level = "按" + AlphaText(result.alpha) + "水准，";
  page.Paragraph(result.unequalVariances
                     ? level + "可认为两总体方差不等，合并方差的t检验不宜使用，改用t′检验："
                     : level + "尚不能认为两总体方差不等，用上面的t检验。");
}

void WriteWelch(html::Page& page, const WelchTest& welch, const TwoSampleResult::Shown& shown) {
  const std::string v1 = std::string("S") + Sub("1") + kSquare + "/n" + Sub("1");
  const std::string v2 = std::string("S") + Sub("2") + kSquare + "/n" + Sub("2");
  page.Paragraph("t′ = |" + kMean1 + "−" + kMean2 + "|/" + kWelchError + " = |" +
                 Operand(shown.mean[0]) + "−" + Operand(shown.mean[1]) + "|/√(" +
                 Operand(shown.sd[0]) + kSquare + "/" + Operand(shown.n[0]) + "+" +
                 Operand(shown.sd[1]) + kSquare + "/" + Operand(shown.n[1]) +
                 ") = " + FourDigitText(std::fabs(welch.t)));
  page.Paragraph("ν′ = (" + v1 + "+" + v2 + ")" + kSquare + "/[(" + v1 + ")" + kSquare + "/(n" +
                 Sub("1") + "−1)+(" + v2 + ")" + kSquare + "/(n" + Sub("2") +
                 "−1)] = " + FourDigitText(welch.df));
}

bool NothingEntered(const TwoSampleResult& result) {
  for (const GroupInputs& group : result.groups) {
    if (!group.mean.IsBlank() || !group.sd.IsBlank() || !group.n.IsBlank()) return false;
  }
  return true;
}

// The test's steps, up to the first figure that cannot be formed.
void WriteTest(html::Page& page, const TwoSampleResult& result, const ReportPictures& pictures) {
  const Alpha alpha = result.alpha;
  const TwoSampleResult::Shown& shown = result.shown;
  report::BeginStep(page, report::Step::kData);
  WriteData(page, shown);
  page.Insert(pictures.data);
  report::WriteTwoSampleChecks(page, result, pictures);

  report::BeginStep(page, report::Step::kHypotheses);
  report::WriteHypotheses(page, "μ" + Sub("1") + "=μ" + Sub("2") + "，即两总体均数相同",
                          "μ" + Sub("1") + "≠μ" + Sub("2") + "，即两总体均数不同", alpha);

  report::BeginStep(page, report::Step::kStatistic);
  if (!WriteStatistic(page, result)) return;
  WriteVarianceTest(page, result);
  if (result.welchAnswers) {
    WriteWelch(page, *result.welch, shown);
  } else if (result.unequalVariances) {
    report::WriteStop(page, "t′不能计算，仍用上面的t检验。");
  }

  report::BeginStep(page, report::Step::kConclusion);
  const Answer& answer = result.answer;
  if (result.welchAnswers) {
    const std::string t = FourDigitText(std::fabs(result.welch->t));
    const std::string nu = FourDigitText(result.welch->df);
    report::WriteTableLookUp(page, {CriticalTable::kT, "t′", t, result.welch->df, nu, "ν′"}, alpha);
    report::WriteConclusion(page, answer, "按t分布（ν′=" + nu + "）计算", alpha,
                            Finding::kDifference, "两总体均数不同");
  } else {
    const std::string& nu = shown.degrees;
    report::WriteTableLookUp(page, {CriticalTable::kT, "t", shown.t, *result.degrees, nu}, alpha);
    report::WriteConclusion(page, answer, "按t分布（ν=" + html::Escape(nu) + "）计算", alpha,
                            Finding::kDifference, "两总体均数不同");
  }
  page.Insert(pictures.test);

  report::BeginStep(page, report::Step::kRemarks);
  if (result.checks) report::WriteRankSum(page, result.checks->rankSum, alpha);
}

}  // namespace

std::string TwoSampleReport(const TwoSampleResult& result, const ReportPictures& pictures) {
  html::Page page("两样本均数比较的t检验");
  if (NothingEntered(result)) {
    page.Paragraph("请输入两组的均数、标准差和例数，或在列表中输入两组数据后按“计算”。");
    return page.Text();
  }
  WriteTest(page, result, pictures);
  report::WriteTwoSampleEffects(page, result);
  return page.Text();
}

}  // namespace sumvane
