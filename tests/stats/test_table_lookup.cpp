// Look-ups in the critical-value tables. The expected ranges follow from P
// values computed with R (noted beside each case), not from the tables.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "stats/table_lookup.h"

namespace sumvane {
namespace {

std::string LineOf(CriticalTable table, int line) {
  const std::string& text = CriticalTableText(table);
  std::size_t start = 0;
  for (int i = 0; i < line; ++i) start = text.find("\r\n", start) + 2;
  return text.substr(start, text.find("\r\n", start) - start);
}

TEST(TableLookUp, RowOfTheDegreesOfFreedom) {
  struct Case {
    CriticalTable table;
    double df;
    int line;  // -1: no row
    const char* label;
  };
  const Case cases[] = {
      {CriticalTable::kT, 20, 24, "20"},
      {CriticalTable::kT, 20.7, 24, "20"},
      {CriticalTable::kT, 45, 44, "40"},
      {CriticalTable::kT, 1000, 53, "1000"},
      {CriticalTable::kT, 1000.5, 54, "∝"},
      {CriticalTable::kT, 1e9, 54, "∝"},
      {CriticalTable::kT, 1, 5, "1"},
      {CriticalTable::kT, 0.5, -1, ""},
      {CriticalTable::kT, -3, -1, ""},
      {CriticalTable::kT, INFINITY, -1, ""},
      {CriticalTable::kChiSquare, 1, 4, "1"},
      {CriticalTable::kChiSquare, 100, 40, "100"},
      {CriticalTable::kChiSquare, 150, 40, "100"},
      {CriticalTable::kR, 10, 14, "10"},
      {CriticalTable::kR, 51, 54, "50"},
      {CriticalTable::kR, NAN, -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.table) << " df " << c.df);
    const std::optional<TableRow> row = FindTableRow(c.table, c.df);
    ASSERT_EQ(row.has_value(), c.line >= 0);
    if (!row) continue;
    EXPECT_EQ(row->line, c.line);
    EXPECT_EQ(row->label, c.label);
    EXPECT_EQ(LineOf(c.table, row->line).rfind(std::string(c.label) + "\t", 0), 0u);
  }
}

struct Bracket {
  int column;  // -1: none
  const char* text;
  int start;  // UTF-16 units into the line
};

TEST(TableLookUp, CellsThatBracketTheStatistic) {
  struct Case {
    CriticalTable table;
    double df;
    double statistic;
    Bracket below, above;
    const char* range;
  };
  const Case cases[] = {
      // R: 2 * pt(-2.116, 20) = 0.0471
      {CriticalTable::kT, 20, 2.116, {3, "2.086", 21}, {4, "2.528", 27}, "0.02<P<0.05"},
      {CriticalTable::kT, 20, -2.116, {3, "2.086", 21}, {4, "2.528", 27}, "0.02<P<0.05"},
      // 0.767 and 3.2e-9: before the first and beyond the last column.
      {CriticalTable::kT, 20, 0.3, {-1, "", 0}, {0, "0.687", 3}, "P>0.50"},
      {CriticalTable::kT, 20, 10, {8, "3.850", 51}, {-1, "", 0}, "P<0.001"},
      // 45 df read in row 40: 2 * pt(-2.2, 40) = 0.0336
      {CriticalTable::kT, 45, 2.2, {3, "2.021", 21}, {4, "2.423", 27}, "0.02<P<0.05"},
      // The normal row: 2 * pnorm(-1.96) = 0.049996
      {CriticalTable::kT, 5000, 1.96, {3, "1.9600", 23}, {4, "2.3263", 30}, "0.02<P<0.05"},
      // pchisq(3.84, 1, lower = FALSE) = 0.05004: short of the exact 3.8415
      // the cell rounds to 3.84.
      {CriticalTable::kChiSquare, 1, 3.84, {8, "2.71", 30}, {9, "3.84", 35}, "0.050<P<0.100"},
      // 0.0190 and 0.9748 (the second among the "…" cells).
      {CriticalTable::kChiSquare, 1, 5.5, {10, "5.02", 40}, {11, "6.63", 45}, "0.010<P<0.025"},
      {CriticalTable::kChiSquare, 1, -5.5, {10, "5.02", 40}, {11, "6.63", 45}, "0.010<P<0.025"},
      {CriticalTable::kChiSquare, 1, 0.001, {2, "…", 6}, {3, "…", 8}, "0.950<P<0.975"},
      {CriticalTable::kChiSquare, 1, 0, {-1, "", 0}, {0, "…", 2}, "P>0.995"},
      // 150 df read in row 100: pchisq(130, 100, lower = FALSE) = 0.0235
      {CriticalTable::kChiSquare,
       150,
       130,
       {10, "129.56", 67},
       {11, "135.81", 74},
       "0.010<P<0.025"},
      // r 0.5 with 10 df is t 1.826: 2 * pt(-1.826, 10) = 0.0979
      {CriticalTable::kR, 10, -0.5, {2, "0.497", 15}, {3, "0.576", 21}, "0.05<P<0.10"},
      {CriticalTable::kR, 3, 1.0, {8, "0.991", 50}, {-1, "", 0}, "P<0.001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << static_cast<int>(c.table) << " df " << c.df << " statistic " << c.statistic);
    const std::optional<TableLookUp> lookUp = LookUpStatistic(c.table, c.df, c.statistic);
    ASSERT_TRUE(lookUp.has_value());
    for (const auto& [expected, actual] :
         {std::pair{c.below, lookUp->below}, std::pair{c.above, lookUp->above}}) {
      ASSERT_EQ(actual.has_value(), expected.column >= 0);
      if (!actual) continue;
      EXPECT_EQ(actual->column, expected.column);
      EXPECT_EQ(actual->text, expected.text);
      EXPECT_EQ(actual->span.start, expected.start);
      EXPECT_EQ(actual->span.length,
                expected.text == std::string("…") ? 1 : int(actual->text.size()));
    }
    EXPECT_EQ(RangeText(*lookUp), c.range);
  }
  EXPECT_FALSE(LookUpStatistic(CriticalTable::kR, 10, 1.2));
  EXPECT_FALSE(LookUpStatistic(CriticalTable::kT, 10, NAN));
  EXPECT_FALSE(LookUpStatistic(CriticalTable::kT, 0, 2.0));
}

TEST(TableLookUp, CriticalValueAtAlpha) {
  struct Case {
    CriticalTable table;
    double df;
    Alpha alpha;
    const char* text;  // R: qt, qchisq, and t / sqrt(t^2 + df) for r
  };
  const Case cases[] = {
      {CriticalTable::kT, 20, Alpha::kFivePercent, "2.086"},            // 2.085963
      {CriticalTable::kT, 20, Alpha::kOnePercent, "2.845"},             // 2.845340
      {CriticalTable::kT, 45, Alpha::kFivePercent, "2.021"},            // row 40: 2.021075
      {CriticalTable::kT, 2000, Alpha::kFivePercent, "1.9600"},         // qnorm: 1.959964
      {CriticalTable::kChiSquare, 1, Alpha::kFivePercent, "3.84"},      // 3.841459
      {CriticalTable::kChiSquare, 1, Alpha::kOnePercent, "6.63"},       // 6.634897
      {CriticalTable::kChiSquare, 100, Alpha::kFivePercent, "124.34"},  // 124.3421
      {CriticalTable::kR, 10, Alpha::kFivePercent, "0.576"},            // 0.575983
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CriticalValueText(c.table, c.df, c.alpha), c.text);
  }
  EXPECT_FALSE(CriticalValueText(CriticalTable::kR, 0.9, Alpha::kFivePercent));
}

TEST(TableGrid, HeadersRowsAndCellsOfEachTable) {
  struct Case {
    CriticalTable table;
    std::vector<std::string> headerNames;
    std::size_t columns, rows;
    const char* lastLabel;
  };
  const Case cases[] = {{CriticalTable::kT, {"双侧", "单侧"}, 9, 50, "∝"},
                        {CriticalTable::kChiSquare, {""}, 13, 37, "100"},
                        {CriticalTable::kR, {"双侧", "单侧"}, 9, 50, "50"}};
  for (const Case& c : cases) {
    const TableGrid& grid = CriticalTableGrid(c.table);
    ASSERT_EQ(grid.headers.size(), c.headerNames.size());
    for (std::size_t i = 0; i < grid.headers.size(); ++i) {
      EXPECT_EQ(grid.headers[i].name, c.headerNames[i]);
      EXPECT_EQ(grid.headers[i].probabilities.size(), c.columns);
    }
    ASSERT_EQ(grid.rows.size(), c.rows);
    EXPECT_EQ(grid.rows.back().label, c.lastLabel);
    for (const TableGrid::Row& row : grid.rows) EXPECT_EQ(row.cells.size(), c.columns);
  }
  const TableGrid& t = CriticalTableGrid(CriticalTable::kT);
  EXPECT_EQ(t.headers[1].probabilities[3], "0.025");
  EXPECT_EQ(t.rows[19].cells[3], "2.086");  // 20 degrees of freedom at 0.05
  EXPECT_EQ(t.rows[19].line, FindTableRow(CriticalTable::kT, 20)->line);
}

}  // namespace
}  // namespace sumvane
