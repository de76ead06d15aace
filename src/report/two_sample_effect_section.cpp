#include "report/two_sample_effect_section.h"

#include <string>
#include <string_view>

#include "report/check_sections.h"
#include "report/steps.h"
#include "stats/effect_figures.h"
#include "stats/four_digit_text.h"
#include "stats/number.h"

namespace sumvane::report {
namespace {

using html::Sub;
using html::Sup;

const std::string kMean = html::Overline("X");
const std::string kDifference = "(" + kMean + Sub("1") + "−" + kMean + Sub("2") + ")";
const std::string kSquare = Sup("2");
const std::string kPooledSd = "S" + Sub("c");

std::string Limits(const std::string& interval, std::string_view method) {
  return "95%可信区间：" + interval + "（" + std::string(method) + "）";
}

std::string_view Why(StandardizedGap gap) {
  switch (gap) {
    case StandardizedGap::kInvalidFigures:
      return "两组的例数须至少为1，标准差不能为负";
    case StandardizedGap::kTooFewDegrees:
      return "自由度ν须至少为1";
    case StandardizedGap::kGroupOfOne:
      return "有一组只有1例，没有该组自己的方差";
    case StandardizedGap::kNoSpread:
      return "两组标准差都为0，没有度量差值的单位";
    case StandardizedGap::kOneDegreeOfFreedom:
      return "ν=1时校正系数J为0，g须ν&gt;1";
    case StandardizedGap::kNoRoot:
      return "非中心t分布未能给出可信限";
    case StandardizedGap::kNone:
      break;
  }
  return "超出数的范围";
}

void WriteCannot(html::Page& page, std::string_view what, StandardizedGap gap) {
  WriteStop(page, std::string(what) + "不能计算：" + std::string(Why(gap)) + "。");
}

void WriteDifference(html::Page& page, const TwoSampleResult& result,
                     const TwoSampleEffects& effects) {
  const TwoSampleResult::Shown& shown = result.shown;
  const std::string difference = FourDigitText(effects.difference);
  page.Paragraph(kDifference + " = " + Operand(shown.mean[0]) + "−" + Operand(shown.mean[1]) +
                 " = " + difference);
  if (effects.pooledInterval) {
    // The test forms the standard error only for ν above 1.
    const std::string put = result.standardError
                                ? " = " + difference + " ± t" +
                                      Sub("0.05/2," + html::Escape(shown.degrees)) + "×" +
                                      FourDigitText(result.standardError)
                                : "";
    page.Paragraph(kDifference + " ± t" + Sub("0.05/2,ν") + "S" + Sub(kMean + "1−" + kMean + "2") +
                   put + "，" + Limits(IntervalFigure(*effects.pooledInterval), "合并方差"));
  } else {
    WriteCannot(page, "均数之差的可信区间", effects.gap);
  }
  if (!result.welchAnswers) return;
  if (!effects.welchInterval) return WriteCannot(page, "t′检验的可信区间", effects.welchGap);
  page.Paragraph("方差不齐，按t′检验：" + kDifference + " ± t" + Sub("0.05/2,ν′") + "√(S" +
                 Sub("1") + kSquare + "/n" + Sub("1") + "+S" + Sub("2") + kSquare + "/n" +
                 Sub("2") + ")，ν′=" + FourDigitText(result.welch->df) + "，" +
                 Limits(IntervalFigure(*effects.welchInterval), "t′检验"));
}

// d, the noncentral t that gives its interval, then g.
void WriteStandardized(html::Page& page, const TwoSampleResult& result,
                       const TwoSampleEffects& effects) {
  if (!effects.d) return WriteCannot(page, "Cohen's d", effects.gap);
  const TwoSampleResult::Shown& shown = result.shown;
  const std::string d = FourDigitText(effects.d);
  page.Paragraph("Cohen's d = " + kDifference + "/" + kPooledSd + " = " +
                 FourDigitText(effects.difference) + "/" + FourDigitText(effects.pooledSd) + " = " +
                 d + "（" + kPooledSd + " = √" + kPooledSd + kSquare + " = √" +
                 FourDigitText(result.pooledVariance) + "）");
  const std::string scale = "√(1/n" + Sub("1") + "+1/n" + Sub("2") + ")";
  const std::string shownScale = "√(1/" + Operand(shown.n[0]) + "+1/" + Operand(shown.n[1]) + ")";
  if (!effects.dInterval) return WriteCannot(page, "d的可信区间", effects.gap);
  const std::string low = "δ" + Sub("L"), high = "δ" + Sub("U");
  page.Paragraph("非中心t分布：t = d/" + scale + " = " + FourDigitText(effects.t) +
                 "，ν=" + html::Escape(shown.degrees) +
                 "；使t分别位于非中心t分布第97.5与第2.5百分位数的非中心参数" + low + "=" +
                 FourDigitText(effects.noncentrality->lower) + "，" + high + "=" +
                 FourDigitText(effects.noncentrality->upper) + "；(" + low + ", " + high + ")×" +
                 scale + " = " + IntervalFigure(*effects.noncentrality) + "×" + shownScale + "，" +
                 Limits(IntervalFigure(*effects.dInterval), "非中心t分布"));

  if (!effects.g) return WriteCannot(page, "Hedges' g", effects.gGap);
  const double degrees = *effects.degrees;
  const std::string j = FourDigitText(effects.correction);
  page.Paragraph("Hedges' g = J·d，J = Γ(ν/2)/[√(ν/2)·Γ((ν−1)/2)] = Γ(" +
                 NumberText(degrees / 2.0) + ")/[√" + NumberText(degrees / 2.0) + "·Γ(" +
                 NumberText((degrees - 1.0) / 2.0) + ")] = " + j + "，g = " + j + "×" + Operand(d) +
                 " = " + FourDigitText(effects.g));
  if (!effects.gInterval) return WriteCannot(page, "g的可信区间", StandardizedGap::kNoRoot);
  page.Paragraph("g的可信限为d的可信限乘以J：" +
                 Limits(IntervalFigure(*effects.gInterval), "非中心t分布"));
}

}  // namespace

void WriteTwoSampleEffects(html::Page& page, const TwoSampleResult& result) {
  if (!result.effects) return;
  const TwoSampleEffects& effects = *result.effects;
  Subheading(page, "效应大小及其可信区间");
  page.Paragraph("<b>两总体均数之差</b>");
  if (!effects.difference) return WriteCannot(page, "均数之差", effects.gap);
  WriteDifference(page, result, effects);
  page.Paragraph("<b>标准化均数差（Cohen's d与Hedges' g）</b>");
  WriteStandardized(page, result, effects);
}

}  // namespace sumvane::report
