#include "report/effect_sections.h"

#include <cmath>
#include <string>

#include "report/check_sections.h"
#include "report/steps.h"
#include "stats/four_digit_text.h"
#include "stats/number.h"

namespace sumvane::report {
namespace {

using html::Overline;
using html::Sub;

constexpr std::string_view kTitle = "效应大小及其可信区间";

std::string Figure(const std::optional<double>& value) { return FourDigitText(value); }

std::string Ci(const Interval& interval, std::string_view method) {
  return "95%可信区间：" + IntervalText(interval) + "（" + std::string(method) + "）";
}

std::string TCell(const std::optional<double>& degrees) {
  return "t" + Sub("0.05/2," + (degrees ? NumberText(*degrees) : std::string("ν")));
}

std::string WhyNoD(StandardizedGap gap) {
  switch (gap) {
    case StandardizedGap::kInvalidFigures:
      return "对子数、差值均数或差值标准差未给出或不合理，d不能计算。";
    case StandardizedGap::kTooFewDegrees:
      return "只有1个对子，没有自由度，d的可信区间不能计算。";
    case StandardizedGap::kNoSpread:
      return "差值标准差为0，差值没有可度量的单位，d不能计算。";
    default:
      return "非中心t分布未能给出d的可信区间。";
  }
}

}  // namespace

void WritePairedEffects(html::Page& page, const PairedResult& result) {
  Subheading(page, kTitle);
  const PairedResult::Shown& shown = result.shown;
  const PairedEffects& e = result.effects;
  const std::string dBar = Overline("d");
  std::string mean = "差值总体均数μ" + Sub("d") + "的95%可信区间：" + dBar + " ± " +
                     TCell(result.degrees) + "S" + Sub(dBar);
  if (result.interval && result.tQuantile) {
    mean += " = " + Operand(shown.meanDifference) + " ± " + Figure(result.tQuantile) + "×" +
            Operand(shown.standardError) + "，" + Ci(*result.interval, "t分布法");
  } else {
    mean += "：不能计算（对子数不足2或差值标准差为0）";
  }
  page.Paragraph(mean);
  if (!e.d) {
    WriteStop(page, "Cohen's d：" + WhyNoD(e.gap));
    return;
  }
  page.Paragraph("标准化效应 Cohen's d = " + dBar + "/S" + Sub("d") + " = " +
                 Operand(shown.meanDifference) + "/" + Operand(shown.sdDifference) + " = " +
                 Figure(e.d));
  if (!e.dInterval || !e.noncentrality || !e.t) {
    WriteStop(page, "d的可信区间：" + WhyNoD(e.gap));
    return;
  }
  page.Paragraph("d的可信区间：t = " + dBar + "√n/S" + Sub("d") + " = " + Figure(e.t) +
                 "，ν = " + NumberText(*e.degrees) +
                 "；使t分别位于非中心t分布第97.5与第2.5百分位数的非中心参数为δ" + Sub("L") + " = " +
                 Figure(e.noncentrality->lower) + "，δ" + Sub("U") + " = " +
                 Figure(e.noncentrality->upper) + "；(δ" + Sub("L") + ", δ" + Sub("U") + ")/√n，" +
                 Ci(*e.dInterval, "非中心t分布"));
  page.Paragraph("d约0.2为小、0.5为中、0.8为大的效应（Cohen）。");
}

}  // namespace sumvane::report
