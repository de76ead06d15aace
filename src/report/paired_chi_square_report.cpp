// The chi-square test of paired counts worked out by hand: the discordant
// pairs b and c, the formula chosen by their number, chi-square and ν, with
// the exact binomial test beside it.
#include <cmath>
#include <optional>
#include <string>

#include "report/fourfold_data.h"
#include "report/html.h"
#include "report/reports.h"
#include "report/steps.h"
#include "report/table_effect_sections.h"
#include "report/table_words.h"
#include "stats/arithmetic.h"
#include "stats/number.h"
#include "stats/paired_chi_square.h"

namespace sumvane {
namespace {

using html::Sub;
using html::Sup;
using report::Operand;
using report::Shown;

// "治疗前与治疗后": the two measurements the table compares, in its own words.
const std::string kMeasurements =
    std::string(kPairedTable.columns) + "与" + std::string(kPairedTable.rows);
const std::string kCorner =
    std::string(kPairedTable.rows) + "＼" + std::string(kPairedTable.columns);

// b, c, their sum, the formula and chi-square; false where chi-square cannot
// be formed.
bool WriteStatistic(html::Page& page, const PairedChiSquareResult& result) {
  const FourfoldCells cells = result.data.Cells();
  const double b = ReadNumber(cells.b), c = ReadNumber(cells.c);
  const std::string discordant = NumberText(Add(b, c));
  const std::string chiSquare = Shown(result.shown.chiSquare);
  page.Paragraph(kMeasurements + "结果不一致的对子：b=" + Shown(cells.b) + "，c=" + Shown(cells.c) +
                 "，b+c=" + discordant);
  if (!(b + c > 0.0)) {
    report::WriteStop(page, "b+c=0，没有结果不一致的对子，χ²不能计算。");
    return false;
  }
  const std::string sum = std::string("(") + Operand(cells.b) + "+" + Operand(cells.c) + ")";
  const std::string difference = Operand(cells.b) + "−" + Operand(cells.c);
  if (result.formula.corrected) {
    std::string line = "b+c=" + discordant + " &lt; 40，用校正公式：χ²" + Sub("c") +
                       " = (|b−c|−1)" + Sup("2") + "/(b+c) = (|" + difference + "|−1)" + Sup("2") +
                       "/" + sum + " = " + chiSquare;
    if (std::fabs(b - c) < 1.0) line += "（|b−c|小于1，校正后取0）";
    page.Paragraph(line);
  } else {
    page.Paragraph("b+c=" + discordant + " ≥ 40，用基本公式：χ² = (b−c)" + Sup("2") + "/(b+c) = (" +
                   difference + ")" + Sup("2") + "/" + sum + " = " + chiSquare);
  }
  if (!result.formula.chiSquare) {
    report::WriteStop(page, "χ²超出数的范围，不能计算。");
    return false;
  }
  page.Paragraph("ν = 1");
  return true;
}

// The exact binomial test needs whole counts b and c.
void WriteRemarks(html::Page& page, const PairedChiSquareResult& result) {
  if (!result.wholeDiscordant) {
    page.Paragraph("b、c不全为整数，不能用二项分布确切概率法。");
    return;
  }
  const std::optional<double>& p = result.binomialP;
  page.Paragraph("二项分布确切概率法（H" + Sub("0") + "下b与c各占一半，双侧）：" +
                 html::Escape(PText(p, PSource::kExact)) + "，" +
                 VerdictText(p, result.alpha, Finding::kDifference) + "。");
}

// The test's steps, up to the first figure that cannot be formed.
void WriteTest(html::Page& page, const PairedChiSquareResult& result,
               const ReportPictures& pictures) {
  const Alpha alpha = result.alpha;
  report::BeginStep(page, report::Step::kData);
  report::WriteFourfoldTable(page, result.data,
                             {.corner = kCorner,
                              .firstRow = kPairedTable.positive,
                              .secondRow = kPairedTable.negative,
                              .firstColumn = kPairedTable.positive,
                              .secondColumn = kPairedTable.negative});
  page.Paragraph("n=" + Shown(result.shown.n));
  page.Insert(pictures.data);

  report::BeginStep(page, report::Step::kHypotheses);
  report::WriteHypotheses(page, "B=C，即" + kMeasurements + "的总体阳性率相同",
                          "B≠C，即" + kMeasurements + "的总体阳性率不同", alpha);

  report::BeginStep(page, report::Step::kStatistic);
  if (result.formula.fault == TableFault::kNegativeCount) {
    report::WriteStop(page, "频数不能为负，不能计算。");
    return;
  }
  if (!result.formula.n) {
    report::WriteStop(page, "总例数超出范围（n至多为32767），不能计算。");
    return;
  }
  if (!WriteStatistic(page, result)) return;

  report::BeginStep(page, report::Step::kConclusion);
  report::WriteTableLookUp(
      page, {CriticalTable::kChiSquare, "χ²", result.shown.chiSquare, 1.0, "1"}, alpha);
  report::WriteConclusion(page, result.answer, "按χ²分布（ν=1）计算", alpha, Finding::kDifference,
                          kMeasurements + "的总体阳性率不同");
  page.Insert(pictures.test);

  report::BeginStep(page, report::Step::kRemarks);
  WriteRemarks(page, result);
}

}  // namespace

std::string PairedChiSquareReport(const PairedChiSquareResult& result,
                                  const ReportPictures& pictures) {
  html::Page page("配对四格表资料的χ²检验");
  if (result.data.IsEmpty()) {
    page.Paragraph("请在四格表中输入a、b、c、d四个频数。");
    return page.Text();
  }
  WriteTest(page, result, pictures);
  report::WritePairedTableEffects(page, result);
  return page.Text();
}

}  // namespace sumvane
