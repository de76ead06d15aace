#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "stats/fourfold.h"
#include "stats/number.h"
#include "stats/panel_figure.h"

namespace sumvane {
namespace {

using Cells = std::array<std::string_view, 4>;
using Texts = std::array<std::string, 4>;

FourfoldCells Of(const Cells& cells) { return {cells[0], cells[1], cells[2], cells[3]}; }

// What a 6-character place shows of a figure.
std::string InBox(const std::optional<double>& figure) {
  return FigureText(figure, FigureStyle::kPlain, 6);
}

Texts InBoxes(const std::array<std::optional<double>, 4>& figures) {
  return {InBox(figures[0]), InBox(figures[1]), InBox(figures[2]), InBox(figures[3])};
}

// A shown figure is its value cut, never rounded, to 6 characters.
void ExpectCutOf(const std::string& shown, long double exact) {
  ASSERT_FALSE(shown.empty());
  const std::size_t point = shown.find('.');
  const int decimals = point == std::string::npos ? 0 : int(shown.size() - point - 1);
  const long double value = std::stold(shown);
  EXPECT_LE(std::fabs(value), std::fabs(exact) * (1 + 1e-12L)) << shown;
  EXPECT_LT(std::fabs(exact) - std::fabs(value), std::pow(10.0L, -decimals)) << shown;
}

// Chi-square as the sum over the cells of (|O - E| - correction)^2 / E.
long double CellSum(const std::array<long double, 4>& cell, long double correction) {
  const long double n = cell[0] + cell[1] + cell[2] + cell[3];
  const long double row[2] = {cell[0] + cell[1], cell[2] + cell[3]};
  const long double column[2] = {cell[0] + cell[2], cell[1] + cell[3]};
  long double sum = 0;
  for (int i = 0; i < 4; ++i) {
    const long double expected = row[i / 2] * column[i % 2] / n;
    const long double gap = std::fmax(0.0L, std::fabs(cell[i] - expected) - correction);
    sum += gap * gap / expected;
  }
  return sum;
}

struct ChiRow {
  Cells cells;
  Texts margins;
  const char* total;
  const char* n;
  Texts expected;
  const char* chiSquare;
};

TEST(FourfoldChiSquare, MarginsExpectedCountsAndChiSquare) {
  const ChiRow rows[] = {
      {{"20", "10", "15", "25"},
       {"35", "35", "30", "40"},
       "70",
       "70",
       {"15", "15", "20", "20"},
       "5.8333"},
      {{"12", "5", "4", "9"},
       {"16", "14", "17", "13"},
       "30",
       "30",
       {"9.0666", "7.9333", "6.9333", "6.0666"},
       "4.6929"},
      {{"40", "10", "8", "42"},
       {"48", "52", "50", "50"},
       "100",
       "100",
       {"24", "26", "24", "26"},
       "41.025"},
      {{"3", "7", "8", "2"},
       {"11", "9", "10", "10"},
       "20",
       "20",
       {"5.5", "4.5", "5.5", "4.5"},
       "3.2323"},
      // Every expected count exactly 5: uncorrected.
      {{"8", "2", "2", "8"}, {"10", "10", "10", "10"}, "20", "20", {"5", "5", "5", "5"}, "7.2"},
      // No association: the correction stops at 0. n is 10.5 rounded to even.
      {{"1.5", "2", "3", "4"},
       {"4.5", "6", "3.5", "7"},
       "10.5",
       "10",
       {"1.575", "2.1", "3.15", "4.2"},
       "0"},
      {{".5", "6", "5", "2"},
       {"5.5", "8", "6.5", "7"},
       "13.5",
       "14",
       {"2.5535", "3.7142", "2.75", "4"},
       "3.3846"},
      // An empty row: no chi-square.
      {{"0", "0", "3", "4"}, {"3", "4", "0", "7"}, "7", "7", {"0", "0", "3", "4"}, ""},
      {{"", "", "", "abc"}, {"0", "0", "0", "0"}, "0", "0", {"", "", "", ""}, ""},
      // n rounds to 0 while no margin is 0.
      {{".1", ".1", ".1", ".1"}, {".2", ".2", ".2", ".2"}, ".4", "0", {"", "", "", ""}, "0"},
      // A negative count forms nothing of the chi-square, only the margins.
      {{"-32768", "0", "0", "0"},
       {"-32768", "0", "-32768", "0"},
       "-32768",
       "",
       {"", "", "", ""},
       ""},
      {{"-3", "10", "5", "9"}, {"2", "19", "7", "14"}, "21", "", {"", "", "", ""}, ""},
      // Totals beyond the 16-bit range, and beyond the double range, form no n.
      {{"-32769", "0", "0", "0"},
       {"-32769", "0", "-32769", "0"},
       "-32769",
       "",
       {"", "", "", ""},
       ""},
      {{"32767", ".5", "0", "0"},
       {"32767", ".5", "32767.5", "0"},
       "32767.5",
       "",
       {"", "", "", ""},
       ""},
      {{"20000", "10000", "10000", "5000"},
       {"30000", "15000", "30000", "15000"},
       "45000",
       "",
       {"", "", "", ""},
       ""},
      {{"1E+400", "1", "1", "1"}, {"", "2", "", "2"}, "", "", {"", "", "", ""}, ""},
  };
  for (const ChiRow& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.cells));
    const FourfoldMargins margins = TableMargins(Of(row.cells));
    EXPECT_EQ(margins.margins, row.margins);
    EXPECT_EQ(margins.total, row.total);
    const FourfoldChiSquare result = ChiSquareOfTable(Of(row.cells));
    EXPECT_EQ(InBox(result.n), row.n);
    EXPECT_EQ(InBoxes(result.expected), row.expected);
    EXPECT_EQ(InBox(result.chiSquare), row.chiSquare);
    EXPECT_EQ(result.fault == TableFault::kNegativeCount, row.cells[0].starts_with('-'));
  }
}

TEST(FourfoldChiSquare, SmallTablesOfWholeCountsPreferTheExactTest) {
  struct Case {
    Cells cells;
    bool whole, exact;
  };
  const Case cases[] = {
      {{"12", "5", "4", "9"}, true, true},      // n = 30
      {{"20", "10", "15", "25"}, true, false},  // n = 70, every T at least 5
      {{"60", "0", "0", "1"}, true, true},      // n = 61, T of d is 1/61
      {{"1.5", "2", "3", "4"}, false, false},   // not counts
      {{"-3", "10", "5", "9"}, false, false},
      {{"30000", "2767", "0", "1"}, false, false},  // n beyond 32,767
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.cells));
    EXPECT_EQ(WholeCounts(Of(c.cells)).has_value(), c.whole);
    EXPECT_EQ(PrefersExactTest(Of(c.cells)), c.exact);
  }
  EXPECT_TRUE(ChiSquareOfTable(Of({"3", "7", "8", "2"})).corrected);  // T of b is 4.5
  EXPECT_FALSE(ChiSquareOfTable(Of({"20", "10", "15", "25"})).corrected);
}

TEST(FourfoldChiSquare, FiguresAgreeWithTheCellByCellSum) {
  const std::array<long double, 4> tables[] = {{20, 10, 15, 25}, {12, 5, 4, 9}, {40, 10, 8, 42},
                                               {3, 7, 8, 2},     {8, 2, 2, 8},  {30, 4, 6, 9}};
  for (const auto& cell : tables) {
    SCOPED_TRACE(testing::PrintToString(cell));
    std::string texts[4];
    for (int i = 0; i < 4; ++i) texts[i] = NumberText(static_cast<double>(cell[i]));
    const FourfoldChiSquare result = ChiSquareOfTable({texts[0], texts[1], texts[2], texts[3]});
    const long double n = cell[0] + cell[1] + cell[2] + cell[3];
    bool allLarge = true;
    for (int i = 0; i < 4; ++i) {
      const long double expected =
          (cell[i / 2 * 2] + cell[i / 2 * 2 + 1]) * (cell[i % 2] + cell[i % 2 + 2]) / n;
      ExpectCutOf(InBox(result.expected[i]), expected);
      allLarge = allLarge && expected >= 5;
    }
    ExpectCutOf(InBox(result.chiSquare), CellSum(cell, allLarge ? 0.0L : 0.5L));
  }
}

struct PairedRow {
  Cells cells;
  const char* n;
  const char* chiSquare;
};

TEST(PairedChiSquare, DiscordantCellsDecide) {
  const PairedRow rows[] = {
      {{"25", "8", "16", "31"}, "80", "2.0416"},
      {{"10", "5", "12", "8"}, "35", "2.1176"},
      {{"30", "20", "25", "25"}, "100", ".55555"},
      {{"50", "25", "15", "10"}, "100", "2.5"},
      {{"0", "30", "10", "0"}, "40", "10"},
      {{"0", "29.5", "10", "0"}, "40", "8.6645"},
      // b = c: the correction stops at 0.
      {{"4", "3", "3", "5"}, "15", "0"},
      {{"7", "0", "0", "9"}, "16", ""},
      {{"", "", "", ""}, "0", ""},
      {{"40000", "3", "1", "0"}, "", ""},
  };
  for (const PairedRow& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.cells));
    const PairedChiSquare result = PairedChiSquareOfTable(Of(row.cells));
    EXPECT_EQ(InBox(result.n), row.n);
    EXPECT_EQ(InBox(result.chiSquare), row.chiSquare);

    Cells swapped = row.cells;
    std::swap(swapped[1], swapped[2]);
    EXPECT_EQ(InBox(PairedChiSquareOfTable(Of(swapped)).chiSquare), row.chiSquare);

    // Both discordant cells against their mean, (|O - E| - correction)^2 / E.
    const long double b = ReadNumber(row.cells[1]), c = ReadNumber(row.cells[2]);
    if (row.chiSquare[0] != '\0' && b != c) {
      const long double mean = (b + c) / 2;
      const long double gap = std::fabs(b - mean) - (b + c >= 40 ? 0.0L : 0.5L);
      ExpectCutOf(InBox(result.chiSquare), 2 * gap * gap / mean);
    }
  }
}

}  // namespace
}  // namespace sumvane
