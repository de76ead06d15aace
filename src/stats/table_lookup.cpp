#include "stats/table_lookup.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

#include "stats/critical_tables.h"
#include "stats/p_values.h"
#include "stats/utf8.h"

namespace sumvane {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLimitLabel = "∝";

int Utf16Length(std::string_view utf8) {
  int units = 0;
  for (char c : utf8) {
    if (!utf8::IsContinuation(c)) ++units;  // a character starts here
    // Beyond the basic plane a character takes a surrogate pair.
    if (utf8::LeadLength(c) == 4) ++units;
  }
  return units;
}

struct ParsedRow {
  TableRow row;
  double degrees;  // infinity for the "∝" row
  std::vector<TableCell> cells;
};

struct ParsedTable {
  std::vector<std::string> probabilityTexts;
  std::vector<double> probabilities;
  std::vector<ParsedRow> rows;  // in the text's order, degrees rising
  TableGrid grid;
};

double ParseNumber(std::string_view text) {
  double value = std::numeric_limits<double>::quiet_NaN();
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A data line starts with its degrees of freedom, digits or "∝", then a tab.
std::optional<double> RowDegrees(std::string_view line) {
  const std::string_view label = line.substr(0, line.find('\t'));
  if (label.size() == line.size() || label.empty()) return std::nullopt;
  if (label == kLimitLabel) return std::numeric_limits<double>::infinity();
  for (char c : label) {
    if (!IsDigit(c)) return std::nullopt;
  }
  return ParseNumber(label);
}

// A header line between the first two rules: its fields separated by blanks
// or tabs, the leading name (if any) not a number.
TableGrid::Header ParseHeader(std::string_view line) {
  TableGrid::Header header;
  std::size_t start = 0;
  while (start < line.size()) {
    const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
    const std::string_view field = line.substr(start, end - start);
    if (!field.empty() && IsDigit(field[0])) {
      header.probabilities.emplace_back(field);
    } else if (!field.empty()) {
      header.name = field;
    }
    start = end + 1;
  }
  return header;
}

ParsedRow ParseRow(std::string_view line, int index, double degrees) {
  ParsedRow parsed{
      {index, std::string(line.substr(0, line.find('\t'))), {0, Utf16Length(line)}}, degrees, {}};
  std::size_t start = line.find('\t') + 1;
  int offset = Utf16Length(line.substr(0, start));
  for (int column = 0; start <= line.size(); ++column) {
    const std::size_t end = std::min(line.find('\t', start), line.size());
    const std::string_view field = line.substr(start, end - start);
    const int length = Utf16Length(field);
    parsed.cells.push_back({column, std::string(field), {}, {offset, length}});
    offset += length + 1;
    start = end + 1;
  }
  return parsed;
}

// The column probabilities are those of the first header line; the rows
// follow the second rule.
ParsedTable Parse(const std::string& text) {
  ParsedTable table;
  int rules = 0;
  int index = 0;
  for (std::size_t start = 0; start < text.size(); ++index) {
    std::size_t end = text.find(kLineEnd, start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + start, end - start);
    if (line.starts_with("—")) {
      ++rules;
    } else if (rules == 1) {
      table.grid.headers.push_back(ParseHeader(line));
    } else if (const std::optional<double> degrees = RowDegrees(line)) {
      table.rows.push_back(ParseRow(line, index, *degrees));
    }
    start = end + kLineEnd.size();
  }
  if (!table.grid.headers.empty()) {
    table.probabilityTexts = table.grid.headers.front().probabilities;
    for (const std::string& text : table.probabilityTexts) {
      table.probabilities.push_back(ParseNumber(text));
    }
  }
  for (const ParsedRow& row : table.rows) {
    TableGrid::Row& gridRow = table.grid.rows.emplace_back();
    gridRow.label = row.row.label;
    gridRow.line = row.row.line;
    for (const TableCell& cell : row.cells) gridRow.cells.push_back(cell.text);
  }
  for (ParsedRow& row : table.rows) {
    for (TableCell& cell : row.cells) {
      if (static_cast<std::size_t>(cell.column) < table.probabilityTexts.size()) {
        cell.probability = table.probabilityTexts[static_cast<std::size_t>(cell.column)];
      }
    }
  }
  return table;
}

// Each table is read on its first look-up, so a look-up in one table does not
// build the texts of the other two.
const ParsedTable& Parsed(CriticalTable table) {
  switch (table) {
    case CriticalTable::kChiSquare: {
      static const ParsedTable chiSquare = Parse(ChiSquareTableText());
      return chiSquare;
    }
    case CriticalTable::kR: {
      static const ParsedTable r = Parse(RTableText());
      return r;
    }
    case CriticalTable::kT:
      break;
  }
  static const ParsedTable t = Parse(TTableText());
  return t;
}

// The largest row not above df; the "∝" row only past the last finite one.
const ParsedRow* RowFor(const ParsedTable& table, double df) {
  if (!std::isfinite(df)) return nullptr;
  const ParsedRow* chosen = nullptr;
  const ParsedRow* limit = nullptr;
  double largest = -std::numeric_limits<double>::infinity();
  for (const ParsedRow& row : table.rows) {
    if (std::isinf(row.degrees)) {
      limit = &row;
      continue;
    }
    largest = std::max(largest, row.degrees);
    if (row.degrees <= df) chosen = &row;
  }
  return limit && df > largest ? limit : chosen;
}

// The column's probability; NaN, which compares false, for a cell beyond the
// header.
double ColumnProbability(const ParsedTable& table, const TableCell& cell) {
  const auto column = static_cast<std::size_t>(cell.column);
  return column < table.probabilities.size() ? table.probabilities[column]
                                             : std::numeric_limits<double>::quiet_NaN();
}

// The P of the statistic for the row's degrees of freedom, in the sense of the
// table's columns: two-sided for t and r, the upper tail for chi-square.
std::optional<double> RowP(CriticalTable table, double degrees, double statistic) {
  const double magnitude = std::fabs(statistic);
  switch (table) {
    case CriticalTable::kChiSquare:
      return UpperChiSquareP(magnitude, degrees);
    case CriticalTable::kR: {
      if (magnitude > 1.0) return std::nullopt;
      if (magnitude == 1.0) return 0.0;
      const double t = magnitude * std::sqrt(degrees / ((1.0 - magnitude) * (1.0 + magnitude)));
      return TwoSidedTP(t, degrees);
    }
    case CriticalTable::kT:
      break;
  }
  return std::isinf(degrees) ? TwoSidedNormalP(magnitude) : TwoSidedTP(magnitude, degrees);
}

}  // namespace

const std::string& CriticalTableText(CriticalTable table) {
  switch (table) {
    case CriticalTable::kChiSquare:
      return ChiSquareTableText();
    case CriticalTable::kR:
      return RTableText();
    case CriticalTable::kT:
      break;
  }
  return TTableText();
}

std::optional<TableRow> FindTableRow(CriticalTable table, double df) {
  const ParsedRow* row = RowFor(Parsed(table), df);
  if (!row) return std::nullopt;
  return row->row;
}

std::optional<TableLookUp> LookUpStatistic(CriticalTable table, double df, double statistic) {
  const ParsedTable& parsed = Parsed(table);
  const ParsedRow* row = RowFor(parsed, df);
  if (!row) return std::nullopt;
  const std::optional<double> p = RowP(table, row->degrees, statistic);
  if (!p) return std::nullopt;
  // Critical values rise from column to column as the probabilities fall; the
  // statistic reaches a column's critical value exactly when its P is at most
  // the column's probability.
  TableLookUp lookUp{row->row, std::nullopt, std::nullopt};
  for (const TableCell& cell : row->cells) {
    if (*p <= ColumnProbability(parsed, cell)) {
      lookUp.below = cell;
    } else if (!lookUp.above) {
      lookUp.above = cell;
    }
  }
  return lookUp;
}

std::string RangeText(const TableLookUp& lookUp) {
  if (lookUp.below && lookUp.above) {
    return lookUp.above->probability + "<P<" + lookUp.below->probability;
  }
  if (lookUp.below) return "P<" + lookUp.below->probability;
  if (lookUp.above) return "P>" + lookUp.above->probability;
  return {};
}

const TableGrid& CriticalTableGrid(CriticalTable table) { return Parsed(table).grid; }

std::optional<std::string> CriticalValueText(CriticalTable table, double df, Alpha alpha) {
  const ParsedTable& parsed = Parsed(table);
  const ParsedRow* row = RowFor(parsed, df);
  if (!row) return std::nullopt;
  for (const TableCell& cell : row->cells) {
    if (ColumnProbability(parsed, cell) == AlphaLevel(alpha)) return cell.text;
  }
  return std::nullopt;
}

}  // namespace sumvane
