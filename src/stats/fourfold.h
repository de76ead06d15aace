// The fourfold table of counts: its margins and total on every change of a cell,
// and for the two chi-square analyses their results.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace sumvane {

// The analyses that read the fourfold table.
inline constexpr int kFourfoldChiSquareMethod = 3;
inline constexpr int kPairedChiSquareMethod = 4;

struct FourfoldResult {
  // Column totals a + c, b + d, then row totals a + b, c + d.
  std::array<std::string, 4> margins;
  // The sum of the two row totals as their texts read.
  std::string total;

  // The fourfold-table chi-square: n, the expected counts of a, b, c, d and
  // chi-square, each cut to 6 characters.
  bool computesChiSquare = false;
  std::string nLabel;
  std::array<std::string, 4> expected;
  std::string chiSquare;

  // The paired chi-square: n and chi-square of the discordant cells b and c.
  bool computesPaired = false;
  std::string pairedN;
  std::string pairedChiSquare;
};

// Recalculates the table from the texts of cells a, b, c, d for the current
// analysis method; only methods 3 and 4 go beyond the margins and the total.
// n is the total rounded to a whole number, halves to the even neighbour; a
// total beyond the 16-bit range forms no n and no result that depends on it.
FourfoldResult CalculateFourfold(const std::array<std::string_view, 4>& cells, int method);

}  // namespace sumvane
