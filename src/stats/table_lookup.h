// Finding a statistic in the critical-value tables, as a student does by hand:
// the row of its degrees of freedom, the two cells that bracket it, and what
// the table then says about P. Positions are given so that the window can
// highlight them without reading the table texts itself.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "stats/answer_text.h"

namespace sumvane {

enum class CriticalTable { kT, kChiSquare, kR };

// TTableText, ChiSquareTableText or RTableText.
const std::string& CriticalTableText(CriticalTable table);

// A stretch of one line of a table text, counted in UTF-16 code units as the
// window counts characters ("∝", "—" and "…" are one each, a tab is one).
struct LineSpan {
  int start = 0;
  int length = 0;
};

struct TableRow {
  // The line of the text, counted from 0, lines ending at "\r\n".
  int line = 0;
  // The degrees of freedom as printed, "20" or "∝".
  std::string label;
  LineSpan span;  // the whole line
};

struct TableCell {
  int column = 0;           // 0 for the first column of probabilities
  std::string text;         // the critical value as printed, "2.086" or "…"
  std::string probability;  // its column's header, "0.05"; two-sided for t and r
  LineSpan span;
};

struct TableLookUp {
  TableRow row;
  // The cell of the largest critical value the statistic reaches and of the
  // smallest one it stays below; only one of them beyond the first or the last
  // column. The comparison is with the critical values before rounding, so the
  // range always agrees with the exact P for the row's degrees of freedom.
  std::optional<TableCell> below;
  std::optional<TableCell> above;
};

// The row for df degrees of freedom: the largest row not above them, in the t
// table the "∝" row past 1000. None below the first row or for a df that is
// not finite.
std::optional<TableRow> FindTableRow(CriticalTable table, double df);

// The row and the cells that bracket the statistic the table holds (t, chi-square
// or r; the sign is dropped). None when there is no row, the statistic is not
// finite, or |r| > 1.
std::optional<TableLookUp> LookUpStatistic(CriticalTable table, double df, double statistic);

// The range of P the look-up gives, the probabilities as the header writes
// them: "0.02<P<0.05", "0.010<P<0.025", "P>0.50", "P<0.001".
std::string RangeText(const TableLookUp& lookUp);

// A table laid out as a grid, for a view whose headers stay in sight.
struct TableGrid {
  // One line per header line of the text: its name ("双侧", "单侧", or empty)
  // and the probability of each column as it writes it.
  struct Header {
    std::string name;
    std::vector<std::string> probabilities;
  };
  std::vector<Header> headers;
  struct Row {
    std::string label;  // "20" or "∝"
    int line = 0;       // as TableRow::line
    std::vector<std::string> cells;
  };
  std::vector<Row> rows;
};

const TableGrid& CriticalTableGrid(CriticalTable table);

// The cell of the row for df under the column of α, "2.086" for t with 20
// degrees of freedom at α = 0.05 (two-sided), "3.84" for chi-square with 1.
std::optional<std::string> CriticalValueText(CriticalTable table, double df, Alpha alpha);

}  // namespace sumvane
