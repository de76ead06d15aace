// The fourfold table of counts: its margins and total on every change of a
// cell, the chi-square of the table and the chi-square of paired counts.
// Results are full texts; the window shortens each to the width of its place.
#pragma once

#include <array>
#include <string>
#include <string_view>

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

// n is the total as shown, rounded to a whole number with halves to the even
// neighbour; a total beyond the 16-bit range forms no n and nothing that
// depends on it.
struct FourfoldChiSquare {
  std::string n;
  // The expected counts of a, b, c, d.
  std::array<std::string, 4> expected;
  std::string chiSquare;
};

// Corrected for continuity unless every expected count is at least 5.
FourfoldChiSquare ChiSquareOfTable(const FourfoldCells& cells);

struct PairedChiSquare {
  std::string n;
  std::string chiSquare;
};

// From the discordant cells b and c; corrected below 40 discordant pairs.
PairedChiSquare PairedChiSquareOfTable(const FourfoldCells& cells);

}  // namespace sumvane
