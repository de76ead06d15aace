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
#include "report/table_effect_sections.h"
#include "stats/chi_square.h"
#include "stats/exact_tests.h"
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
std::string_view RowMargin(const FourfoldMargins& m, int i) { return m.margins[2 + i / 2]; }
std::string_view ColumnMargin(const FourfoldMargins& m, int i) { return m.margins[i % 2]; }

void WriteExpectedCounts(html::Page& page, const ChiSquareResult& result) {
  static const char* const kCells[4] = {"a", "b", "c", "d"};
  static const char* const kMargins[4] = {"(a+b)(a+c)", "(a+b)(b+d)", "(c+d)(a+c)", "(c+d)(b+d)"};
  const ChiSquareResult::Shown& shown = result.shown;
  const FourfoldMargins& margins = result.data.margins;
  page.Paragraph("理论数 T = n" + Sub("R") + "n" + Sub("C") + "/n，n" + Sub("R") + "、n" +
                 Sub("C") + "为所在行、列的合计，n=" + Shown(shown.n) + "：");
  for (int i = 0; i < 4; ++i) {
    page.Paragraph(
        std::string("T") + Sub(kCells[i]) + " = " + kMargins[i] +
        "/n = " + Operand(RowMargin(margins, i)) + "×" + Operand(ColumnMargin(margins, i)) + "/" +
        Operand(shown.n) + " = " +
        (result.formula.expected[i] ? Shown(shown.expected[i]) : std::string("不能计算（n=0）")));
  }
}

// The smallest expected count as shown, when any was formed.
std::optional<std::string> SmallestExpected(const ChiSquareResult& result) {
  std::optional<std::string> smallest;
  for (int i = 0; i < 4; ++i) {
    if (result.formula.expected[i] == result.formula.smallestExpected &&
        result.formula.expected[i]) {
      smallest = result.shown.expected[i];
      break;
    }
  }
  return smallest;
}

// Why the rules choose the exact test, or which chi-square formula.
std::string FormulaReason(const ChiSquareResult& result) {
  const FourfoldChiSquare& formula = result.formula;
  const std::optional<std::string> smallest = SmallestExpected(result);
  const std::string t = smallest ? "最小理论数T=" + Shown(*smallest) : "理论数不能计算";
  const bool small = formula.n < kSmallTable;
  if (result.exactAnswers) {
    std::string why = small ? "n=" + Shown(result.shown.n) + " &lt; 40" : "";
    if (formula.smallestExpected && *formula.smallestExpected < kTinyExpectedCount) {
      why += (why.empty() ? "" : "，") + t + " &lt; 1";
    }
    return why + "，χ²检验不适用，改用Fisher确切概率法计算P；下面的χ²与面板相同，仅供参考：";
  }
  const std::string whole = result.exact ? "" : "频数不全为整数，不能用Fisher确切概率法；";
  if (!formula.corrected) {
    return whole + "所有理论数T≥5（" + t + "）" + (small ? "" : "，且n≥40") +
           "，用基本公式（四格表专用公式）：";
  }
  return whole + t + (smallest ? " &lt; 5" : "") + (small ? "" : "，n≥40") + "，用连续性校正公式：";
}

void WriteChiSquare(html::Page& page, const ChiSquareResult& result) {
  const FourfoldCells c = result.data.Cells();
  const std::string cross =
      Operand(c.a) + "×" + Operand(c.d) + "−" + Operand(c.b) + "×" + Operand(c.c);
  const auto& m = result.data.margins.margins;
  const std::string product =
      Operand(m[2]) + "×" + Operand(m[3]) + "×" + Operand(m[0]) + "×" + Operand(m[1]);
  const std::string n = Operand(result.shown.n);
  const std::string chiSquare = Shown(result.shown.chiSquare);
  const bool corrected = result.formula.corrected;
  std::string line =
      corrected ? "χ²" + Sub("c") + " = (|ad−bc|−n/2)" + Sup("2") + "n/[" +
                      std::string(kMarginProduct) + "] = (|" + cross + "|−" + n + "/2)" + Sup("2") +
                      "×" + n + "/(" + product + ") = " + chiSquare
                : "χ² = (ad−bc)" + Sup("2") + "n/[" + std::string(kMarginProduct) + "] = (" +
                      cross + ")" + Sup("2") + "×" + n + "/(" + product + ") = " + chiSquare;
  const double distance =
      std::fabs(ReadNumber(c.a) * ReadNumber(c.d) - ReadNumber(c.b) * ReadNumber(c.c));
  if (corrected && distance < *result.formula.n / 2.0) line += "（|ad−bc|小于n/2，校正后取0）";
  page.Paragraph(line);
}

void WriteRemarks(html::Page& page, const ChiSquareResult& result) {
  if (result.exactAnswers) {
    std::string line = "n&lt;40或有理论数T&lt;1时，χ²分布的近似不可靠，以确切概率为准。";
    if (const auto chiSquare = result.ChiSquare()) {
      line += "作为比较，χ²=" + Shown(result.shown.chiSquare) + "按χ²分布得" +
              html::Escape(PText(UpperChiSquareP(*chiSquare, 1.0))) + "。";
    }
    page.Paragraph(line);
    return;
  }
  if (!result.exact) {
    page.Paragraph("频数不全为整数，不能用Fisher确切概率法。");
    return;
  }
  const double p = result.exact->p;
  page.Paragraph("Fisher确切概率法（双侧）：" + html::Escape(PText(p, PSource::kExact)) + "，" +
                 VerdictText(p, result.alpha, Finding::kDifference) + "。");
}

// The test's steps, up to the first figure that cannot be formed.
void WriteTest(html::Page& page, const ChiSquareResult& result, const ReportPictures& pictures) {
  const Alpha alpha = result.alpha;
  const bool anyExpected = SmallestExpected(result).has_value();
  report::BeginStep(page, report::Step::kData);
  report::WriteFourfoldTable(page, result.data,
                             {.corner = "组别",
                              .firstRow = "试验组",
                              .secondRow = "对照组",
                              .firstColumn = "阳性（+）",
                              .secondColumn = "阴性（-）"},
                             result.shown.expected);
  if (anyExpected) page.Paragraph("括号内为理论数T。");
  page.Insert(pictures.data);

  report::BeginStep(page, report::Step::kHypotheses);
  report::WriteHypotheses(page, "π" + Sub("1") + "=π" + Sub("2") + "，即两组的总体率相同",
                          "π" + Sub("1") + "≠π" + Sub("2") + "，即两组的总体率不同", alpha);

  report::BeginStep(page, report::Step::kStatistic);
  if (result.formula.fault == TableFault::kNegativeCount) {
    report::WriteStop(page, "频数不能为负，不能计算。");
    return;
  }
  if (!result.formula.n) {
    report::WriteStop(page, "总例数超出范围（n至多为32767），不能计算。");
    return;
  }
  WriteExpectedCounts(page, result);
  page.Paragraph(FormulaReason(result));
  WriteChiSquare(page, result);
  const bool exact = result.exactAnswers;
  if (!result.ChiSquare()) {
    report::WriteStop(page, "有一行或一列的合计为0，χ²不能计算。");
    if (!exact) return;
  }
  page.Paragraph("ν = (行数−1)(列数−1) = (2−1)(2−1) = 1");

  report::BeginStep(page, report::Step::kConclusion);
  if (!exact) {
    report::WriteTableLookUp(
        page, {CriticalTable::kChiSquare, "χ²", result.shown.chiSquare, 1.0, "1"}, alpha);
  }
  report::WriteConclusion(page, result.answer,
                          exact ? "按Fisher确切概率法（双侧）计算" : "按χ²分布（ν=1）计算", alpha,
                          Finding::kDifference, "两组总体率不同");
  page.Insert(pictures.test);

  report::BeginStep(page, report::Step::kRemarks);
  WriteRemarks(page, result);
}

}  // namespace

std::string ChiSquareReport(const ChiSquareResult& result, const ReportPictures& pictures) {
  html::Page page("四格表资料的χ²检验");
  if (result.data.IsEmpty()) {
    page.Paragraph("请在四格表中输入a、b、c、d四个频数。");
    return page.Text();
  }
  WriteTest(page, result, pictures);
  report::WriteFourfoldEffects(page, result, pictures.effects);
  return page.Text();
}

}  // namespace sumvane
