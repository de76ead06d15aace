// The parts every worked report shares: the headings of the steps, how a box's
// text enters a formula, the hypotheses, the look-up in a critical-value table
// and the conclusion at α.
#pragma once

#include <string>
#include <string_view>

#include "report/html.h"
#include "stats/answer_text.h"
#include "stats/answers.h"
#include "stats/report_figures.h"
#include "stats/table_lookup.h"

namespace sumvane::report {

enum class Step { kData, kHypotheses, kStatistic, kConclusion, kRemarks };

// "一、资料", "二、建立检验假设，确定检验水准" and so on.
void BeginStep(html::Page& page, Step step);

// A box holds nothing but blanks.
bool IsBlank(std::string_view text);

// A box's text as the page shows it: escaped, "（空）" for an empty box.
std::string Shown(std::string_view text);

// The same inside a formula: a negative figure in brackets, "(-4.1)".
std::string Operand(std::string_view text);

// α as a figure, "0.05".
std::string AlphaFigure(Alpha alpha);

// A confidence interval, its limits to four significant digits: "(0.2109, 4.789)".
std::string IntervalText(const Interval& interval);

// H0 and H1 in the analysis's words (markup), then α.
void WriteHypotheses(html::Page& page, std::string_view h0, std::string_view h1, Alpha alpha);

// A statistic to find in a critical-value table.
struct TableEntry {
  CriticalTable table;
  std::string symbol;      // markup: "t", "χ²", "t<sub>r</sub>", "|r|"
  std::string_view shown;  // the statistic as the panel shows it, without sign
  double df;
  std::string dfText;  // ν as the report writes it
  std::string dfSymbol = "ν";
};

// The critical value at α from the row of ν, the two cells that bracket the
// statistic and the range of P the table gives. A ν the table has no row for
// is said so.
void WriteTableLookUp(html::Page& page, const TableEntry& entry, Alpha alpha);

// "{source}，P=0.0470。" then the conclusion: "按α=0.05水准，拒绝H0，接受H1，
// 差异有统计学意义，可认为{claim}。" or its "不拒绝H0 … 尚不能认为{claim}" form.
void WriteConclusion(html::Page& page, const Answer& answer, std::string_view source, Alpha alpha,
                     Finding finding, std::string_view claim);

// The figure that cannot be formed and why; the report ends after it.
void WriteStop(html::Page& page, std::string_view markup);

}  // namespace sumvane::report
