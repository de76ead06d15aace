// The two-sample t-test worked out by hand: the pooled variance, the standard
// error of the difference and t, then the variance ratio that tells whether
// pooling was fair, and Welch's t' where it was not, which then gives P, the
// conclusion and the interval of the difference of means.
#include <cmath>
#include <optional>
#include <string>

#include "report/html.h"
#include "report/reports.h"
#include "report/steps.h"
#include "stats/answers.h"
#include "stats/arithmetic.h"
#include "stats/four_digit_text.h"
#include "stats/number.h"
#include "stats/report_figures.h"

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

void WriteData(html::Page& page, const TwoSamplePanelTexts& panel) {
  page.Table({{"组别", "例数 n", "均数 " + kMean, "标准差 S"},
              {"第1组", Shown(panel.n1), Shown(panel.mean1), Shown(panel.sd1)},
              {"第2组", Shown(panel.n2), Shown(panel.mean2), Shown(panel.sd2)}});
}

// Pooled variance, standard error and t; false where a figure cannot be formed.
bool WriteStatistic(html::Page& page, const TwoSamplePanelTexts& panel) {
  const double n1 = ReadNumber(panel.n1), n2 = ReadNumber(panel.n2);
  const std::string sizes = Operand(panel.n1) + "+" + Operand(panel.n2);
  if (!(n1 >= 1.0) || !(n2 >= 1.0)) {
    report::WriteStop(page, "两组例数都须至少为1，自由度ν不能计算。");
    return false;
  }
  page.Paragraph("ν = n" + Sub("1") + "+n" + Sub("2") + "−2 = " + sizes +
                 "−2 = " + Shown(panel.degrees));
  if (!(ReadNumber(panel.degrees) > 1.0)) {
    report::WriteStop(page, "自由度ν须大于1，t不能计算。");
    return false;
  }

  const Blank pooled = Divide(Add(Multiply(n1 - 1.0, Square(ReadNumber(panel.sd1))),
                                  Multiply(n2 - 1.0, Square(ReadNumber(panel.sd2)))),
                              Subtract(Add(n1, n2), 2.0));
  page.Paragraph("合并方差 S" + Sub("c") + kSquare + " = [(n" + Sub("1") + "−1)S" + Sub("1") +
                 kSquare + "+(n" + Sub("2") + "−1)S" + Sub("2") + kSquare + "]/(n" + Sub("1") +
                 "+n" + Sub("2") + "−2) = [(" + Operand(panel.n1) + "−1)×" + Operand(panel.sd1) +
                 kSquare + "+(" + Operand(panel.n2) + "−1)×" + Operand(panel.sd2) + kSquare +
                 "]/(" + sizes + "−2) = " + FourDigitText(pooled));
  if (!pooled) {
    report::WriteStop(page, "合并方差超出数的范围，不能计算。");
    return false;
  }

  const Blank standardError = SquareRoot(Multiply(pooled, Add(Divide(1.0, n1), Divide(1.0, n2))));
  page.Paragraph("标准误 " + kStandardError + " = √[S" + Sub("c") + kSquare + "(1/n" + Sub("1") +
                 "+1/n" + Sub("2") + ")] = √[" + FourDigitText(pooled) + "×(1/" +
                 Operand(panel.n1) + "+1/" + Operand(panel.n2) +
                 ")] = " + FourDigitText(standardError));
  if (!standardError || *standardError == 0.0) {
    report::WriteStop(page, "标准误为0（两组标准差都为0或未输入）或不能计算，t不能计算。");
    return false;
  }

  page.Paragraph("t = |" + kMean1 + "−" + kMean2 + "|/" + kStandardError + " = |" +
                 Operand(panel.mean1) + "−" + Operand(panel.mean2) + "|/" +
                 FourDigitText(standardError) + " = " + Shown(panel.t));
  if (report::IsBlank(panel.t)) {
    report::WriteStop(page, "t超出数的范围，不能计算。");
    return false;
  }
  return true;
}

const std::string kWelchError = "√(S" + Sub("1") + kSquare + "/n" + Sub("1") + "+S" + Sub("2") +
                                kSquare + "/n" + Sub("2") + ")";

// The variance ratio that tells whether pooling the variances was fair.
void WriteVarianceTest(html::Page& page, const TwoSamplePanelTexts& panel, Alpha alpha) {
  const double sd1 = ReadNumber(panel.sd1), sd2 = ReadNumber(panel.sd2);
  const std::optional<VarianceRatio> ratio =
      VarianceRatioTest(sd1, ReadNumber(panel.n1), sd2, ReadNumber(panel.n2));
  if (!ratio) {
    report::WriteStop(page, "方差齐性检验不能进行：须两组例数都大于1，且两组标准差都不为0。");
    return;
  }
  const bool firstOnTop = sd1 >= sd2;
  const std::string_view top = firstOnTop ? panel.sd1 : panel.sd2;
  const std::string_view bottom = firstOnTop ? panel.sd2 : panel.sd1;
  page.Paragraph("方差齐性检验：F = S" + kSquare + Sub("较大") + "/S" + kSquare + Sub("较小") +
                 " = " + Operand(top) + kSquare + "/" + Operand(bottom) + kSquare + " = " +
                 FourDigitText(ratio->f) + "，ν" + Sub("1") + "=" + NumberText(ratio->numeratorDf) +
                 "，ν" + Sub("2") + "=" + NumberText(ratio->denominatorDf) + "，" +
                 html::Escape(PText(ratio->p)) + "。");
  const std::string level = "按" + AlphaText(alpha) + "水准，";
  page.Paragraph(IsSignificant(ratio->p, alpha)
                     ? level + "可认为两总体方差不等，合并方差的t检验不宜使用，改用t′检验："
                     : level + "尚不能认为两总体方差不等，用上面的t检验。");
}

void WriteWelch(html::Page& page, const WelchTest& welch, const TwoSamplePanelTexts& panel) {
  const std::string v1 = std::string("S") + Sub("1") + kSquare + "/n" + Sub("1");
  const std::string v2 = std::string("S") + Sub("2") + kSquare + "/n" + Sub("2");
  page.Paragraph("t′ = |" + kMean1 + "−" + kMean2 + "|/" + kWelchError + " = |" +
                 Operand(panel.mean1) + "−" + Operand(panel.mean2) + "|/√(" + Operand(panel.sd1) +
                 kSquare + "/" + Operand(panel.n1) + "+" + Operand(panel.sd2) + kSquare + "/" +
                 Operand(panel.n2) + ") = " + FourDigitText(std::fabs(welch.t)));
  page.Paragraph("ν′ = (" + v1 + "+" + v2 + ")" + kSquare + "/[(" + v1 + ")" + kSquare + "/(n" +
                 Sub("1") + "−1)+(" + v2 + ")" + kSquare + "/(n" + Sub("2") +
                 "−1)] = " + FourDigitText(welch.df));
}

// The interval of the test that answered: Welch's where t′ did.
void WriteInterval(html::Page& page, const TwoSamplePanelTexts& panel, bool welch) {
  const GroupStatistics first{ReadNumber(panel.mean1), ReadNumber(panel.sd1), ReadNumber(panel.n1)};
  const GroupStatistics second{ReadNumber(panel.mean2), ReadNumber(panel.sd2),
                               ReadNumber(panel.n2)};
  const std::optional<Interval> interval =
      welch ? WelchDifferenceInterval(first, second) : PooledDifferenceInterval(first, second);
  const std::string formula = "(" + kMean1 + "−" + kMean2 + ") ± t" +
                              Sub(welch ? "0.05/2,ν′" : "0.05/2,ν") +
                              (welch ? kWelchError : kStandardError);
  page.Paragraph("两总体均数之差的95%可信区间：" + formula + " = " +
                 (interval ? report::IntervalText(*interval) : std::string("不能计算")));
}

}  // namespace

std::string TwoSampleReport(const TwoSamplePanelTexts& panel, Alpha alpha,
                            const ReportPictures& pictures) {
  html::Page page("两样本均数比较的t检验");
  if (report::IsBlank(panel.mean1) && report::IsBlank(panel.mean2) && report::IsBlank(panel.sd1) &&
      report::IsBlank(panel.sd2) && report::IsBlank(panel.n1) && report::IsBlank(panel.n2)) {
    page.Paragraph("请输入两组的均数、标准差和例数，或在列表中输入两组数据后按“计算”。");
    return page.Text();
  }
  report::BeginStep(page, report::Step::kData);
  WriteData(page, panel);
  page.Insert(pictures.data);

  report::BeginStep(page, report::Step::kHypotheses);
  report::WriteHypotheses(page, "μ" + Sub("1") + "=μ" + Sub("2") + "，即两总体均数相同",
                          "μ" + Sub("1") + "≠μ" + Sub("2") + "，即两总体均数不同", alpha);

  report::BeginStep(page, report::Step::kStatistic);
  if (!WriteStatistic(page, panel)) return page.Text();
  const TwoSampleFigures figures{.mean1 = panel.mean1,
                                 .mean2 = panel.mean2,
                                 .sd1 = panel.sd1,
                                 .sd2 = panel.sd2,
                                 .n1 = panel.n1,
                                 .n2 = panel.n2,
                                 .degrees = panel.degrees};
  const Answer answer = TwoSampleAnswer(figures, panel.t, alpha);
  WriteVarianceTest(page, panel, alpha);
  if (answer.welch) {
    WriteWelch(page, *answer.welch, panel);
  } else if (UnequalVariances(figures, alpha)) {
    report::WriteStop(page, "t′不能计算，仍用上面的t检验。");
  }

  report::BeginStep(page, report::Step::kConclusion);
  if (answer.welch) {
    const std::string t = FourDigitText(std::fabs(answer.welch->t));
    const std::string nu = FourDigitText(answer.welch->df);
    report::WriteTableLookUp(page, {CriticalTable::kT, "t′", t, answer.welch->df, nu, "ν′"}, alpha);
    report::WriteConclusion(page, answer, "按t分布（ν′=" + nu + "）计算", alpha,
                            Finding::kDifference, "两总体均数不同");
  } else {
    const std::string nu = std::string(panel.degrees);
    report::WriteTableLookUp(page, {CriticalTable::kT, "t", panel.t, ReadNumber(nu), nu}, alpha);
    report::WriteConclusion(page, answer, "按t分布（ν=" + html::Escape(nu) + "）计算", alpha,
                            Finding::kDifference, "两总体均数不同");
  }
  page.Insert(pictures.test);

  report::BeginStep(page, report::Step::kRemarks);
  WriteInterval(page, panel, answer.welch.has_value());
  return page.Text();
}

}  // namespace sumvane
