// The fourfold table of counts: its margins and total on every change of a
// cell, the chi-square of the table and the chi-square of paired counts. The
// margins are the texts the table shows; the other figures are values, which
// the analyses shorten to the width of their places.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "stats/exact_tests.h"

namespace sumvane {

// The four cell texts a, b, c, d as their boxes hold them.
struct FourfoldCells {
  std::string_view a, b, c, d;
};

struct FourfoldMargins {
  // Column totals a + c, b + d, then row totals a + b, c + d.
  std::array<std::string, 4> margins;
  // The sum of the two row totals as their texts read.
  std::string total;
};

FourfoldMargins TableMargins(const FourfoldCells& cells);

// The table as it stands: the cells as typed, a, b in the first row and c, d
// in the second, and the margins they give.
struct FourfoldData {
  std::array<std::string, 4> cells;
  FourfoldMargins margins;

  FourfoldCells Cells() const { return {cells[0], cells[1], cells[2], cells[3]}; }
  // No cell holds anything.
  bool IsEmpty() const;
};

FourfoldData TableOf(const FourfoldCells& cells);

// Why a chi-square analysis forms nothing from the cells.
enum class TableFault {
  kNone,
  // A count below 0 is no count: nothing is formed from the table.
  kNegativeCount,
};

// n is the total as shown, rounded to a whole number with halves to the even
// neighbour; a total beyond the 16-bit range forms no n and nothing that
// depends on it. Figures that cannot be formed are empty.
struct FourfoldChiSquare {
  TableFault fault = TableFault::kNone;
  std::optional<int> n;
  // The expected counts of a, b, c, d.
  std::array<std::optional<double>, 4> expected;
  std::optional<double> chiSquare;
  // Whether the continuity correction was applied: it is, unless every
  // expected count is at least 5.
  bool corrected = false;
  // The smallest expected count, when they could be formed.
  std::optional<double> smallestExpected;
};

FourfoldChiSquare ChiSquareOfTable(const FourfoldCells& cells);

// The table's counts when all four are whole numbers from 0 up and their
// total is within what the exact test takes.
std::optional<FourfoldCounts> WholeCounts(const FourfoldCells& cells);

// Below this n, or below this expected count, the chi-square formula does not
// apply.
inline constexpr int kSmallTable = 40;
inline constexpr double kTinyExpectedCount = 1.0;

// Fisher's exact test takes the place of chi-square for a table of whole
// counts with n below kSmallTable or an expected count below
// kTinyExpectedCount.
bool PrefersExactTest(const FourfoldCells& cells);

struct PairedChiSquare {
  TableFault fault = TableFault::kNone;
  std::optional<int> n;
  // b + c.
  std::optional<double> discordant;
  std::optional<double> chiSquare;
  // Corrected for continuity below 40 discordant pairs.
  bool corrected = false;
};

// From the discordant cells b and c.
PairedChiSquare PairedChiSquareOfTable(const FourfoldCells& cells);

}  // namespace sumvane
