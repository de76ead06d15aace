// The chi-square test of a fourfold table worked out by hand: the expected
// counts, the formula the rules choose and why, chi-square and ν, with Fisher's
// exact test beside it, or in its place where the table is too small.
#include <cmath>
#include <optional>
#include <string>

#include "report/fourfold_data.h"
#include "report/html.h"
#include "report/reports.h"
#include "report/steps.h"
#include "stats/answers.h"
#include "stats/exact_tests.h"
#include "stats/fourfold.h"
#include "stats/number.h"
#include "stats/p_values.h"

namespace sumvane {
namespace {

using html::Sub;
using html::Sup;
using report::Operand;
using report::Shown;

constexpr std::string_view kMarginProduct = "(a+b)(c+d)(a+c)(b+d)";

// The margins come as a + c, b + d, a + b, c + d; expected count i lies in row
// i / 2 and column i % 2.
std::string_view RowMargin(const FourfoldTableTexts& t, int i) { return t.margins[2 + i / 2]; }
std::string_view ColumnMargin(const FourfoldTableTexts& t, int i) { return t.margins[i % 2]; }

void WriteExpectedCounts(html::Page& page, const ChiSquarePanelTexts& panel) {
  static const char* const kCells[4] = {"a", "b", "c", "d"};
  static const char* const kMargins[4] = {"(a+b)(a+c)", "(a+b)(b+d)", "(c+d)(a+c)", "(c+d)(b+d)"};
  page.Paragraph("理论数 T = n" + Sub("R") + "n" + Sub("C") + "/n，n" + Sub("R") + "、n" +
                 Sub("C") + "为所在行、列的合计，n=" + Shown(panel.n) + "：");
  for (int i = 0; i < 4; ++i) {
    page.Paragraph(std::string("T") + Sub(kCells[i]) + " = " + kMargins[i] +
                   "/n = " + Operand(RowMargin(panel.table, i)) + "×" +
                   Operand(ColumnMargin(panel.table, i)) + "/" + Operand(panel.n) + " = " +
                   (report::IsBlank(panel.expected[i]) ? std::string("不能计算（n=0）")
                                                       : Shown(panel.expected[i])));
  }
}

// The expected count shown smallest, when any is shown.
std::optional<std::string_view> SmallestExpected(const ChiSquarePanelTexts& panel) {
  std::optional<std::string_view> smallest;
  for (std::string_view t : panel.expected) {
    if (!report::IsBlank(t) && (!smallest || ReadNumber(t) < ReadNumber(*smallest))) smallest = t;
  }
  return smallest;
}

// Why the rules choose the exact test, or which chi-square formula.
std::string FormulaReason(const ChiSquarePanelTexts& panel, const FourfoldChiSquare& result,
                          bool exact) {
  const std::optional<std::string_view> smallest = SmallestExpected(panel);
  const std::string t = smallest ? "最小理论数T=" + Shown(*smallest) : "理论数不能计算";
  const bool small = ReadNumber(panel.n) < kSmallTable;
  if (exact) {
    std::string why = small ? "n=" + Shown(panel.n) + " &lt; 40" : "";
    if (result.smallestExpected && *result.smallestExpected < kTinyExpectedCount) {
      why += (why.empty() ? "" : "，") + t + " &lt; 1";
    }
    return why + "，χ²检验不适用，改用Fisher确切概率法计算P；下面的χ²与面板相同，仅供参考：";
  }
  const std::string whole =
      WholeCounts(panel.table.cells) ? "" : "频数不全为整数，不能用Fisher确切概率法；";
  if (!result.corrected) {
    return whole + "所有理论数T≥5（" + t + "）" + (small ? "" : "，且n≥40") +
           "，用基本公式（四格表专用公式）：";
  }
  return whole + t + (smallest ? " &lt; 5" : "") + (small ? "" : "，n≥40") + "，用连续性校正公式：";
}

void WriteChiSquare(html::Page& page, const ChiSquarePanelTexts& panel, bool corrected) {
  const FourfoldCells& c = panel.table.cells;
  const std::string cross =
      Operand(c.a) + "×" + Operand(c.d) + "−" + Operand(c.b) + "×" + Operand(c.c);
  const auto& m = panel.table.margins;
  const std::string product =
      Operand(m[2]) + "×" + Operand(m[3]) + "×" + Operand(m[0]) + "×" + Operand(m[1]);
  const std::string n = Operand(panel.n);
  std::string line = corrected
                         ? "χ²" + Sub("c") + " = (|ad−bc|−n/2)" + Sup("2") + "n/[" +
                               std::string(kMarginProduct) + "] = (|" + cross + "|−" + n + "/2)" +
                               Sup("2") + "×" + n + "/(" + product + ") = " + Shown(panel.chiSquare)
                         : "χ² = (ad−bc)" + Sup("2") + "n/[" + std::string(kMarginProduct) +
                               "] = (" + cross + ")" + Sup("2") + "×" + n + "/(" + product +
                               ") = " + Shown(panel.chiSquare);
  const double distance =
      std::fabs(ReadNumber(c.a) * ReadNumber(c.d) - ReadNumber(c.b) * ReadNumber(c.c));
  if (corrected && distance < ReadNumber(panel.n) / 2.0) {
    line += "（|ad−bc|小于n/2，校正后取0）";
  }
  page.Paragraph(line);
}

void WriteRemarks(html::Page& page, const ChiSquarePanelTexts& panel, bool exact, Alpha alpha) {
  if (exact) {
    std::string line = "n&lt;40或有理论数T&lt;1时，χ²分布的近似不可靠，以确切概率为准。";
    if (!report::IsBlank(panel.chiSquare)) {
      line += "作为比较，χ²=" + Shown(panel.chiSquare) + "按χ²分布得" +
              html::Escape(PText(UpperChiSquareP(ReadNumber(panel.chiSquare), 1.0))) + "。";
    }
    page.Paragraph(line);
    return;
  }
  const std::optional<FourfoldCounts> counts = WholeCounts(panel.table.cells);
  if (!counts) {
    page.Paragraph("频数不全为整数，不能用Fisher确切概率法。");
    return;
  }
  const std::optional<double> p = FisherExactP(*counts);
  page.Paragraph("Fisher确切概率法（双侧）：" + html::Escape(PText(p, PSource::kExact)) + "，" +
                 VerdictText(p, alpha, Finding::kDifference) + "。");
}

}  // namespace

std::string ChiSquareReport(const ChiSquarePanelTexts& panel, Alpha alpha,
                            const ReportPictures& pictures) {
  html::Page page("四格表资料的χ²检验");
  if (report::IsEmptyTable(panel.table)) {
    page.Paragraph("请在四格表中输入a、b、c、d四个频数。");
    return page.Text();
  }
  report::BeginStep(page, report::Step::kData);
  report::WriteFourfoldTable(page, panel.table,
                             {.corner = "组别",
                              .firstRow = "试验组",
                              .secondRow = "对照组",
                              .firstColumn = "阳性（+）",
                              .secondColumn = "阴性（-）"},
                             panel.expected);
  if (SmallestExpected(panel)) page.Paragraph("括号内为理论数T。");
  page.Insert(pictures.data);

  report::BeginStep(page, report::Step::kHypotheses);
  report::WriteHypotheses(page, "π" + Sub("1") + "=π" + Sub("2") + "，即两组的总体率相同",
                          "π" + Sub("1") + "≠π" + Sub("2") + "，即两组的总体率不同", alpha);

  report::BeginStep(page, report::Step::kStatistic);
  const FourfoldChiSquare result = ChiSquareOfTable(panel.table.cells);
  if (result.fault == TableFault::kNegativeCount) {
    report::WriteStop(page, "频数不能为负，不能计算。");
    return page.Text();
  }
  if (result.n.empty()) {
    report::WriteStop(page, "总例数超出范围（n至多为32767），不能计算。");
    return page.Text();
  }
  WriteExpectedCounts(page, panel);
  const bool exact = PrefersExactTest(panel.table.cells);
  page.Paragraph(FormulaReason(panel, result, exact));
  WriteChiSquare(page, panel, result.corrected);
  if (report::IsBlank(panel.chiSquare)) {
    report::WriteStop(page, "有一行或一列的合计为0，χ²不能计算。");
    if (!exact) return page.Text();
  }
  page.Paragraph("ν = (行数−1)(列数−1) = (2−1)(2−1) = 1");

  report::BeginStep(page, report::Step::kConclusion);
  const Answer answer = ChiSquareAnswer(panel.table.cells, panel.chiSquare, alpha);
  if (!exact) {
    report::WriteTableLookUp(page, {CriticalTable::kChiSquare, "χ²", panel.chiSquare, 1.0, "1"},
                             alpha);
  }
  report::WriteConclusion(page, answer,
                          exact ? "按Fisher确切概率法（双侧）计算" : "按χ²分布（ν=1）计算", alpha,
                          Finding::kDifference, "两组总体率不同");
  page.Insert(pictures.test);

  report::BeginStep(page, report::Step::kRemarks);
  WriteRemarks(page, panel, exact, alpha);
  return page.Text();
}

}  // namespace sumvane
