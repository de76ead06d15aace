#include "stats/fourfold.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "stats/arithmetic.h"
#include "stats/number.h"

namespace sumvane {

namespace {

constexpr int kResultWidth = 6;
// Below this many discordant pairs the paired chi-square is corrected.
constexpr double kPairedCorrectionLimit = 40.0;
// Expected counts at or above this size allow the uncorrected formula.
constexpr double kLargeExpectedCount = 5.0;

// The total as a 16-bit count, rounded half to even; none when it does not fit.
std::optional<std::int16_t> WholeCount(const Blank& total) {
  if (!Usable(total)) return std::nullopt;
  double whole = std::round(*total);
  if (std::fabs(*total - std::trunc(*total)) == 0.5 && std::fmod(whole, 2.0) != 0.0) {
    whole -= std::copysign(1.0, *total);
  }
  if (whole < std::numeric_limits<std::int16_t>::min() ||
      whole > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(whole);
}

// A correction shrinks the distance towards 0 but never past it.
Blank Corrected(const Blank& distance, double correction) {
  const Blank shrunk = Subtract(distance, correction);
  if (!shrunk) return std::nullopt;
  return std::max(0.0, *shrunk);
}

std::string ResultText(const Blank& value) { return ClipText(NumberText(value), kResultWidth); }

struct Cells {
  double a, b, c, d;
};

void FillChiSquare(const Cells& cell, const std::array<Blank, 4>& margin, std::int16_t n,
                   FourfoldResult& result) {
  const Blank &left = margin[0], &right = margin[1], &top = margin[2], &bottom = margin[3];
  // With n = 0 no expected count can be formed.
  const std::array<Blank, 4> expected = {
      Divide(Multiply(left, top), n), Divide(Multiply(right, top), n),
      Divide(Multiply(left, bottom), n), Divide(Multiply(right, bottom), n)};
  result.nLabel = ClipText(NumberText(static_cast<int>(n)), kResultWidth);
  for (std::size_t i = 0; i < expected.size(); ++i) result.expected[i] = ResultText(expected[i]);

  const bool allLarge = std::all_of(expected.begin(), expected.end(),
                                    [](const Blank& t) { return t && *t >= kLargeExpectedCount; });
  const Blank crossDifference = Subtract(Multiply(cell.a, cell.d), Multiply(cell.b, cell.c));
  const Blank distance =
      allLarge ? Absolute(crossDifference) : Corrected(Absolute(crossDifference), n / 2.0);
  const Blank marginProduct = Multiply(Multiply(top, left), Multiply(right, bottom));
  result.chiSquare = ResultText(Divide(Multiply(n, Square(distance)), marginProduct));
}

void FillPairedChiSquare(const Cells& cell, std::int16_t n, FourfoldResult& result) {
  result.pairedN = NumberText(static_cast<int>(n));
  const Blank discordant = Add(cell.b, cell.c);
  const Blank difference = Absolute(Subtract(cell.b, cell.c));
  const Blank distance =
      discordant && *discordant >= kPairedCorrectionLimit ? difference : Corrected(difference, 1.0);
  result.pairedChiSquare = ResultText(Divide(Square(distance), discordant));
}

}  // namespace

FourfoldResult CalculateFourfold(const std::array<std::string_view, 4>& cells, int method) {
  const Cells cell = {ReadNumber(cells[0]), ReadNumber(cells[1]), ReadNumber(cells[2]),
                      ReadNumber(cells[3])};
  const std::array<Blank, 4> margin = {Add(cell.a, cell.c), Add(cell.b, cell.d),
                                       Add(cell.a, cell.b), Add(cell.c, cell.d)};
  FourfoldResult result;
  for (std::size_t i = 0; i < margin.size(); ++i) result.margins[i] = NumberText(margin[i]);

  // The total is formed from the row totals as shown, and n from the total as shown.
  const bool rowsShown = margin[2] && margin[3];
  const Blank total =
      rowsShown ? Add(ReadNumber(result.margins[2]), ReadNumber(result.margins[3])) : std::nullopt;
  result.total = NumberText(total);
  const std::optional<std::int16_t> n = total ? WholeCount(ReadNumber(result.total)) : std::nullopt;

  if (method == kFourfoldChiSquareMethod) {
    result.computesChiSquare = true;
    if (n) FillChiSquare(cell, margin, *n, result);
  } else if (method == kPairedChiSquareMethod) {
    result.computesPaired = true;
    if (n) FillPairedChiSquare(cell, *n, result);
  }
  return result;
}

}  // namespace sumvane
