#include "report/table_effect_sections.h"

#include <string>
#include <string_view>

#include "report/check_sections.h"
#include "report/steps.h"
#include "report/table_words.h"
#include "stats/effect_figures.h"
#include "stats/four_digit_text.h"
#include "stats/number.h"

namespace sumvane::report {
namespace {

using html::Sub;
using html::Sup;

// The normal quantile u0.025 at full precision, as the page writes it.
constexpr std::string_view kU = "1.96";

std::string Limits(const std::string& interval, std::string_view method) {
  return "95%可信区间：" + interval + "（" + std::string(method) + "）";
}

void WriteCannot(html::Page& page, std::string_view what, std::string_view why) {
  WriteStop(page, std::string(what) + "不能计算：" + std::string(why) + "。");
}

std::string_view Why(EffectGap gap) {
  switch (gap) {
    case EffectGap::kEmptyRow:
      return "有一行的合计为0，该行的率不存在";
    case EffectGap::kEmptyColumn:
      return "有一列的合计为0（两组全为阳性或全为阴性）";
    case EffectGap::kNoSpread:
      return "两组的率都为0或1，标准误为0";
    case EffectGap::kNoDifference:
      return "两组的率相等（RD=0）";
    case EffectGap::kNegativeCount:
      return "频数不能为负";
    case EffectGap::kNone:
    case EffectGap::kOutOfRange:
      break;
  }
  return "超出数的范围";
}

// The counts a ratio is formed from, as operands: the table's, or each plus
// 0.5 where a cell is 0.
struct Operands {
  std::string a, b, c, d, firstRow, secondRow;
};

Operands TableOperands(const FourfoldData& data) {
  const FourfoldCells cells = data.Cells();
  return {Operand(cells.a),
          Operand(cells.b),
          Operand(cells.c),
          Operand(cells.d),
          Operand(data.margins.margins[2]),
          Operand(data.margins.margins[3])};
}

Operands HalfAdded(const FourfoldData& data) {
  const FourfoldCells cells = data.Cells();
  const double a = ReadNumber(cells.a) + 0.5, b = ReadNumber(cells.b) + 0.5;
  const double c = ReadNumber(cells.c) + 0.5, d = ReadNumber(cells.d) + 0.5;
  return {FormatDecimal(a), FormatDecimal(b),     FormatDecimal(c),
          FormatDecimal(d), FormatDecimal(a + b), FormatDecimal(c + d)};
}

// exp(ln R ± 1.96 × SE(ln R)) with the figures put in.
void WriteLogInterval(html::Page& page, std::string_view symbol, const LogRatioEstimate& ratio,
                      std::string_view method) {
  const std::string se = "SE(ln" + std::string(symbol) + ")";
  page.Paragraph("exp(ln" + std::string(symbol) + " ± " + std::string(kU) + "×" + se +
                 ") = exp(ln" + FourDigitText(ratio.estimate) + " ± " + std::string(kU) + "×" +
                 FourDigitText(ratio.logStandardError) + ")，" +
                 Limits(IntervalFigure(*ratio.interval), method));
}

void WriteOddsRatio(html::Page& page, const LogRatioEstimate& ratio, const Operands& k) {
  if (ratio.gap != EffectGap::kNone) return WriteCannot(page, "OR", Why(ratio.gap));
  page.Paragraph("OR = ad/(bc) = " + k.a + "×" + k.d + "/(" + k.b + "×" + k.c +
                 ") = " + FourDigitText(ratio.estimate));
  page.Paragraph("Woolf法：SE(lnOR) = √(1/a+1/b+1/c+1/d) = √(1/" + k.a + "+1/" + k.b + "+1/" + k.c +
                 "+1/" + k.d + ") = " + FourDigitText(ratio.logStandardError));
  WriteLogInterval(page, "OR", ratio, "Woolf法");
}

std::string_view Why(ExactOddsRatioGap gap) {
  switch (gap) {
    case ExactOddsRatioGap::kSingleTable:
      return "周边合计只容许观察到的这一个表";
    case ExactOddsRatioGap::kNotCounts:
      return "频数须为不超过32767的整数";
    case ExactOddsRatioGap::kNone:
    case ExactOddsRatioGap::kNoRoot:
      break;
  }
  return "未能求得";
}

// The conditional maximum-likelihood OR, which goes with Fisher's exact test.
void WriteExactOddsRatio(html::Page& page, const ExactOddsRatio& exact) {
  if (exact.gap != ExactOddsRatioGap::kNone) {
    return WriteCannot(page, "精确法OR", Why(exact.gap));
  }
  const std::string estimate = exact.estimateInfinite
                                   ? std::string("无上界，不能给出点估计（b或c为0）")
                                   : FourDigitText(exact.estimate);
  page.Paragraph("精确法（条件最大似然估计，与Fisher确切概率法相应）：OR = " + estimate + "，" +
                 Limits(IntervalFigure(exact.interval), "精确法"));
}

void WriteRiskRatio(html::Page& page, const LogRatioEstimate& ratio, const Operands& k) {
  if (ratio.gap != EffectGap::kNone) return WriteCannot(page, "RR", Why(ratio.gap));
  page.Paragraph("RR = [a/(a+b)]/[c/(c+d)] = (" + k.a + "/" + k.firstRow + ")/(" + k.c + "/" +
                 k.secondRow + ") = " + FourDigitText(ratio.estimate));
  page.Paragraph("Katz法：SE(lnRR) = √(1/a−1/(a+b)+1/c−1/(c+d)) = √(1/" + k.a + "−1/" + k.firstRow +
                 "+1/" + k.c + "−1/" + k.secondRow +
                 ") = " + FourDigitText(ratio.logStandardError));
  WriteLogInterval(page, "RR", ratio, "Katz法");
}

void WriteRiskDifference(html::Page& page, const RiskDifference& rd, const Operands& k) {
  if (rd.gap != EffectGap::kNone) return WriteCannot(page, "RD", Why(rd.gap));
  const std::string p1 = FourDigitText(rd.firstRisk), p2 = FourDigitText(rd.secondRisk);
  const std::string one = "p" + Sub("1"), two = "p" + Sub("2");
  page.Paragraph(one + " = a/(a+b) = " + k.a + "/" + k.firstRow + " = " + p1 + "，" + two +
                 " = c/(c+d) = " + k.c + "/" + k.secondRow + " = " + p2);
  const std::string difference = FourDigitText(rd.difference);
  page.Paragraph("RD = " + one + "−" + two + " = " + p1 + "−" + p2 + " = " + difference);
  if (rd.wald) {
    page.Paragraph("正态近似法：SE(RD) = √[" + one + "(1−" + one + ")/(a+b)+" + two + "(1−" + two +
                   ")/(c+d)] = " + FourDigitText(rd.standardError) + "，RD ± " + std::string(kU) +
                   "×SE(RD) = " + difference + " ± " + std::string(kU) + "×" +
                   FourDigitText(rd.standardError) + "，" +
                   Limits(IntervalFigure(*rd.wald), "正态近似法"));
  } else {
    WriteCannot(page, "正态近似法的可信区间", Why(rd.waldGap));
  }
  if (rd.newcombe) {
    page.Paragraph("Newcombe法：" + one + "的Wilson可信区间(l" + Sub("1") + ", u" + Sub("1") +
                   ") = " + IntervalFigure(*rd.firstWilson) + "，" + two + "的(l" + Sub("2") +
                   ", u" + Sub("2") + ") = " + IntervalFigure(*rd.secondWilson) +
                   "；下限 = RD−√[(" + one + "−l" + Sub("1") + ")" + Sup("2") + "+(u" + Sub("2") +
                   "−" + two + ")" + Sup("2") + "]，上限 = RD+√[(u" + Sub("1") + "−" + one + ")" +
                   Sup("2") + "+(" + two + "−l" + Sub("2") + ")" + Sup("2") + "]，" +
                   Limits(IntervalFigure(*rd.newcombe), "Newcombe法"));
  }
}

void WriteNumberNeeded(html::Page& page, const NumberNeededToTreat& nnt, const RiskDifference& rd) {
  if (nnt.gap != EffectGap::kNone || !nnt.nnt) {
    return WriteCannot(page, "NNT",
                       Why(nnt.gap == EffectGap::kNone ? EffectGap::kOutOfRange : nnt.gap));
  }
  page.Paragraph("NNT = 1/|RD| = 1/|" + FourDigitText(rd.difference) +
                 "| = " + FourDigitText(nnt.unrounded) + "，向上取整为" + NumberText(*nnt.nnt));
  if (!nnt.throughInfinity) {
    page.Paragraph("由RD的Newcombe法可信限取倒数：" + Limits(NntIntervalFigure(nnt), "Newcombe法"));
    return;
  }
  page.Paragraph(
      "RD的95%可信区间" + IntervalFigure(*rd.newcombe) +
      "包含0，NNT的可信区间经过无穷大，按Altman法写出（以阳性为所计结局：试验组率较低为获益，"
      "记NNTB；较高为有害，记NNTH）：95%可信区间：" +
      NntIntervalFigure(nnt) + "（Newcombe法）");
}

std::string_view Why(PairedGap gap) {
  switch (gap) {
    case PairedGap::kNoPairs:
      return "n=0，没有对子";
    case PairedGap::kNoDiscordantPairs:
      return "b=c=0，没有结果不一致的对子";
    case PairedGap::kNoSpread:
      return "所有对子都不一致且方向相同，标准误为0";
    case PairedGap::kNegativeCount:
      return "频数不能为负";
    case PairedGap::kNone:
    case PairedGap::kOutOfRange:
      break;
  }
  return "超出数的范围";
}

// b/c, and its exact interval from the Clopper–Pearson interval of b/(b+c).
void WriteMatchedOddsRatio(html::Page& page, const PairedChiSquareResult& result) {
  const FourfoldCells cells = result.data.Cells();
  if (!result.matchedOddsRatio) {
    return WriteCannot(page, "配对OR的精确法", "b、c不全为整数");
  }
  const MatchedOddsRatio& matched = *result.matchedOddsRatio;
  if (matched.gap != PairedGap::kNone) return WriteCannot(page, "配对OR", Why(matched.gap));
  const std::string estimate = matched.estimateInfinite
                                   ? std::string("无上界，不能给出点估计（c=0）")
                                   : " = " + FourDigitText(matched.estimate);
  page.Paragraph("OR = b/c = " + Operand(cells.b) + "/" + Operand(cells.c) +
                 (matched.estimateInfinite ? "，" : "") + estimate);
  const std::string lower = "p" + Sub("L"), upper = "p" + Sub("U");
  page.Paragraph("精确法：b/(b+c)的Clopper–Pearson 95%可信区间(" + lower + ", " + upper +
                 ") = " + IntervalFigure(*matched.proportion) + "，OR的可信限为" + lower + "/(1−" +
                 lower + ")与" + upper + "/(1−" + upper + ")，" +
                 Limits(IntervalFigure(matched.interval), "精确法"));
}

// (a+b)/n − (a+c)/n = (b−c)/n with the normal approximation for pairs.
void WriteRateDifference(html::Page& page, const PairedChiSquareResult& result) {
  const PairedRateDifference& rates = *result.rateDifference;
  if (!rates.difference) return WriteCannot(page, "阳性率之差", Why(rates.gap));
  const FourfoldCells cells = result.data.Cells();
  const auto& margins = result.data.margins.margins;
  const std::string n = Operand(result.data.margins.total);
  const std::string b = Operand(cells.b), c = Operand(cells.c);
  page.Paragraph(std::string(kPairedTable.rows) + "阳性率 = (a+b)/n = " + Operand(margins[2]) +
                 "/" + n + " = " + FourDigitText(rates.firstRate) + "，" +
                 std::string(kPairedTable.columns) + "阳性率 = (a+c)/n = " + Operand(margins[0]) +
                 "/" + n + " = " + FourDigitText(rates.secondRate));
  const std::string difference = FourDigitText(rates.difference);
  page.Paragraph("两阳性率之差 = (b−c)/n = (" + b + "−" + c + ")/" + n + " = " + difference);
  if (!rates.interval) return WriteCannot(page, "阳性率之差的可信区间", Why(rates.gap));
  page.Paragraph("正态近似法：SE = √[(b+c)−(b−c)" + Sup("2") + "/n]/n = √[(" + b + "+" + c + ")−(" +
                 b + "−" + c + ")" + Sup("2") + "/" + n + "]/" + n + " = " +
                 FourDigitText(rates.standardError) + "，差 ± " + std::string(kU) + "×SE = " +
                 difference + " ± " + std::string(kU) + "×" + FourDigitText(rates.standardError) +
                 "，" + Limits(IntervalFigure(*rates.interval), "正态近似法"));
}

}  // namespace

void WritePairedTableEffects(html::Page& page, const PairedChiSquareResult& result) {
  if (!result.rateDifference) return;
  Subheading(page, "效应大小及其可信区间");
  page.Paragraph("<b>配对比数比（OR）</b>");
  WriteMatchedOddsRatio(page, result);
  page.Paragraph("<b>阳性率之差（" + std::string(kPairedTable.rows) + "−" +
                 std::string(kPairedTable.columns) + "）</b>");
  WriteRateDifference(page, result);
}

void WriteFourfoldEffects(html::Page& page, const ChiSquareResult& result,
                          std::string_view picture) {
  if (!result.effects) return;
  const FourfoldEffects& effects = *result.effects;
  Subheading(page, "效应大小及其可信区间");
  const Operands shown = TableOperands(result.data);
  Operands ratios = shown;
  if (effects.haldaneAnscombe) {
    ratios = HalfAdded(result.data);
    page.Paragraph(
        "表中有频数为0的格子，OR、RR及其可信区间按各格都加0.5后的频数计算"
        "（Haldane–Anscombe校正）：a=" +
        ratios.a + "，b=" + ratios.b + "，c=" + ratios.c + "，d=" + ratios.d + "。");
  }
  page.Paragraph("<b>比数比（OR）</b>");
  WriteOddsRatio(page, effects.oddsRatio, ratios);
  if (result.exactOddsRatio) WriteExactOddsRatio(page, *result.exactOddsRatio);
  page.Paragraph("<b>相对危险度（RR）</b>");
  WriteRiskRatio(page, effects.riskRatio, ratios);
  page.Paragraph("<b>率差（RD）</b>");
  WriteRiskDifference(page, effects.riskDifference, shown);
  page.Paragraph("<b>需治疗人数（NNT）</b>");
  WriteNumberNeeded(page, effects.numberNeeded, effects.riskDifference);
  page.Insert(picture);
}

}  // namespace sumvane::report
