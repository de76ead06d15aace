#include "report/steps.h"

#include <optional>

#include "stats/effect_figures.h"
#include "stats/number.h"

namespace sumvane::report {
namespace {

using html::Escape;
using html::Sub;

std::string_view TableName(CriticalTable table) {
  switch (table) {
    case CriticalTable::kChiSquare:
      return "χ²界值表";
    case CriticalTable::kR:
      return "r界值表（双侧）";
    case CriticalTable::kT:
      break;
  }
  return "t界值表（双侧）";
}

// A cell as the textbook names it: t0.05/2,20, χ²0.05,1, r0.05/2,3.
std::string CellSymbol(CriticalTable table, std::string_view probability, std::string_view row) {
  const std::string where = std::string(probability) +
                            (table == CriticalTable::kChiSquare ? "" : "/2") + "," + Escape(row);
  switch (table) {
    case CriticalTable::kChiSquare:
      return "χ²" + Sub(where);
    case CriticalTable::kR:
      return std::string("r") + Sub(where);
    case CriticalTable::kT:
      break;
  }
  return std::string("t") + Sub(where);
}

std::string Cell(CriticalTable table, const TableCell& cell, std::string_view row) {
  return CellSymbol(table, cell.probability, row) + "=" + Escape(cell.text);
}

}  // namespace

void BeginStep(html::Page& page, Step step) {
  switch (step) {
    case Step::kData:
      return page.Section("一、资料");
    case Step::kHypotheses:
      return page.Section("二、建立检验假设，确定检验水准");
    case Step::kStatistic:
      return page.Section("三、计算检验统计量");
    case Step::kConclusion:
      return page.Section("四、确定P值，作出推断结论");
    case Step::kRemarks:
      return page.Section("五、补充说明");
  }
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::string Shown(std::string_view text) { return IsBlank(text) ? "（空）" : Escape(text); }

std::string Operand(std::string_view text) {
  const std::string shown = Shown(text);
  return text.starts_with('-') ? "(" + shown + ")" : shown;
}

std::string AlphaFigure(Alpha alpha) {
  const std::string text = AlphaText(alpha);
  return text.substr(text.find('=') + 1);
}

std::string IntervalText(const Interval& interval) { return IntervalFigure(interval); }

void WriteHypotheses(html::Page& page, std::string_view h0, std::string_view h1, Alpha alpha) {
  page.Paragraph(std::string("H") + Sub("0") + "：" + std::string(h0));
  page.Paragraph(std::string("H") + Sub("1") + "：" + std::string(h1));
  page.Paragraph(AlphaText(alpha) + "（双侧）");
}

void WriteTableLookUp(html::Page& page, const TableEntry& entry, Alpha alpha) {
  const std::string nu = entry.dfSymbol + "=" + Escape(entry.dfText);
  const std::optional<TableRow> row = FindTableRow(entry.table, entry.df);
  if (!row) {
    page.Paragraph(nu + "，" + std::string(TableName(entry.table)) +
                   "中没有这一自由度，不能查表。");
    return;
  }
  std::string line = nu + "，查" + std::string(TableName(entry.table));
  if (row->label != entry.dfText)
    line += "（表中无" + nu + "，取ν=" + Escape(row->label) + "一行）";
  if (const auto critical = CriticalValueText(entry.table, entry.df, alpha)) {
    line +=
        "：" + CellSymbol(entry.table, AlphaFigure(alpha), row->label) + "=" + Escape(*critical);
  }
  page.Paragraph(line + "。");

  const auto lookUp = LookUpStatistic(entry.table, entry.df, ReadNumber(entry.shown));
  if (!lookUp) return;
  const std::string statistic = entry.symbol + "=" + Shown(entry.shown);
  std::string bracket;
  if (lookUp->below && lookUp->above) {
    bracket = Cell(entry.table, *lookUp->below, row->label) + " ≤ " + statistic + " &lt; " +
              Cell(entry.table, *lookUp->above, row->label);
  } else if (lookUp->below) {
    bracket = statistic + " ≥ " + Cell(entry.table, *lookUp->below, row->label);
  } else if (lookUp->above) {
    bracket = statistic + " &lt; " + Cell(entry.table, *lookUp->above, row->label);
  }
  page.Paragraph(bracket + "，故" + Escape(RangeText(*lookUp)) + "。");
}

void WriteConclusion(html::Page& page, const Answer& answer, std::string_view source, Alpha alpha,
                     Finding finding, std::string_view claim) {
  if (!answer.p) {
    WriteStop(page, "P不能计算：" + Escape(answer.verdict) + "。");
    return;
  }
  page.Paragraph(std::string(source) + "，" + Escape(answer.pText) + "。");
  const std::string what = finding == Finding::kCorrelation ? "相关" : "差异";
  const std::string level = "按" + AlphaText(alpha) + "水准，";
  const std::string h = std::string("H") + Sub("0");
  if (IsSignificant(*answer.p, alpha)) {
    page.Paragraph("<b>" + level + "拒绝" + h + "，接受H" + Sub("1") + "，" + what +
                   "有统计学意义，可认为" + std::string(claim) + "。</b>");
  } else {
    page.Paragraph("<b>" + level + "不拒绝" + h + "，" + what + "无统计学意义，尚不能认为" +
                   std::string(claim) + "。</b>");
  }
}

void WriteStop(html::Page& page, std::string_view markup) {
  page.Paragraph("<span style=\"color:#c00000\">" + std::string(markup) + "</span>");
}

}  // namespace sumvane::report
