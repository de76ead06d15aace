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

// The counts read, their margins and the n formed from the total as shown.
struct Tally {
  double a, b, c, d;
  // Column totals a + c, b + d, then row totals a + b, c + d.
  std::array<Blank, 4> margin;
  FourfoldMargins shown;
  std::optional<std::int16_t> n;
};

Tally Count(const FourfoldCells& cells) {
  Tally t;
  t.a = ReadNumber(cells.a);
  t.b = ReadNumber(cells.b);
  t.c = ReadNumber(cells.c);
  t.d = ReadNumber(cells.d);
  t.margin = {Add(t.a, t.c), Add(t.b, t.d), Add(t.a, t.b), Add(t.c, t.d)};
  for (std::size_t i = 0; i < t.margin.size(); ++i) t.shown.margins[i] = NumberText(t.margin[i]);
  // The total is formed from the row totals as shown, and n from the total as shown.
  const bool rowsShown = t.margin[2] && t.margin[3];
  const Blank total = rowsShown
                          ? Add(ReadNumber(t.shown.margins[2]), ReadNumber(t.shown.margins[3]))
                          : std::nullopt;
  t.shown.total = NumberText(total);
  if (total) t.n = WholeCount(ReadNumber(t.shown.total));
  return t;
}

bool AnyNegative(const Tally& t) { return t.a < 0 || t.b < 0 || t.c < 0 || t.d < 0; }

// The expected counts of a, b, c, d; with n = 0 none can be formed.
std::array<Blank, 4> ExpectedCounts(const Tally& t, double n) {
  const Blank &left = t.margin[0], &right = t.margin[1], &top = t.margin[2], &bottom = t.margin[3];
  return {Divide(Multiply(left, top), n), Divide(Multiply(right, top), n),
          Divide(Multiply(left, bottom), n), Divide(Multiply(right, bottom), n)};
}

std::optional<int> WholeCount(double count) {
  if (!(count >= 0.0) || count > kMaxExactTotal || count != std::trunc(count)) return std::nullopt;
  return static_cast<int>(count);
}

}  // namespace

FourfoldMargins TableMargins(const FourfoldCells& cells) { return Count(cells).shown; }

bool FourfoldData::IsEmpty() const {
  return std::all_of(cells.begin(), cells.end(), [](const std::string& cell) {
    return cell.find_first_not_of(" \t") == std::string::npos;
  });
}

FourfoldData TableOf(const FourfoldCells& cells) {
  return {{std::string(cells.a), std::string(cells.b), std::string(cells.c), std::string(cells.d)},
          TableMargins(cells)};
}

FourfoldChiSquare ChiSquareOfTable(const FourfoldCells& cells) {
  const Tally t = Count(cells);
  FourfoldChiSquare result;
  if (AnyNegative(t)) {
    result.fault = TableFault::kNegativeCount;
    return result;
  }
  if (!t.n) return result;
  const double n = *t.n;
  const std::array<Blank, 4> expected = ExpectedCounts(t, n);
  result.n = static_cast<int>(*t.n);
  result.expected = expected;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (expected[i] && (!result.smallestExpected || *expected[i] < *result.smallestExpected)) {
      result.smallestExpected = *expected[i];
    }
  }

  const bool allLarge = std::all_of(expected.begin(), expected.end(),
                                    [](const Blank& e) { return e && *e >= kLargeExpectedCount; });
  result.corrected = !allLarge;
  const Blank crossDifference = Subtract(Multiply(t.a, t.d), Multiply(t.b, t.c));
  const Blank distance =
      allLarge ? Absolute(crossDifference) : Corrected(Absolute(crossDifference), n / 2.0);
  const Blank &left = t.margin[0], &right = t.margin[1], &top = t.margin[2], &bottom = t.margin[3];
  const Blank marginProduct = Multiply(Multiply(top, left), Multiply(right, bottom));
  result.chiSquare = Divide(Multiply(n, Square(distance)), marginProduct);
  return result;
}

PairedChiSquare PairedChiSquareOfTable(const FourfoldCells& cells) {
  const Tally t = Count(cells);
  PairedChiSquare result;
  if (AnyNegative(t)) {
    result.fault = TableFault::kNegativeCount;
    return result;
  }
  if (!t.n) return result;
  result.n = static_cast<int>(*t.n);
  const Blank discordant = Add(t.b, t.c);
  result.discordant = discordant;
  const Blank difference = Absolute(Subtract(t.b, t.c));
  result.corrected = !(discordant && *discordant >= kPairedCorrectionLimit);
  const Blank distance = result.corrected ? Corrected(difference, 1.0) : difference;
  result.chiSquare = Divide(Square(distance), discordant);
  return result;
}

std::optional<FourfoldCounts> WholeCounts(const FourfoldCells& cells) {
  const auto a = WholeCount(ReadNumber(cells.a)), b = WholeCount(ReadNumber(cells.b));
  const auto c = WholeCount(ReadNumber(cells.c)), d = WholeCount(ReadNumber(cells.d));
  if (!a || !b || !c || !d || *a + *b + *c + *d > kMaxExactTotal) return std::nullopt;
  return FourfoldCounts{*a, *b, *c, *d};
}

bool PrefersExactTest(const FourfoldCells& cells) {
  const auto counts = WholeCounts(cells);
  if (!counts) return false;
  const int n = counts->a + counts->b + counts->c + counts->d;
  if (n < kSmallTable) return true;
  const Tally t = Count(cells);
  const std::array<Blank, 4> expected = ExpectedCounts(t, n);
  return std::any_of(expected.begin(), expected.end(),
                     [](const Blank& e) { return e && *e < kTinyExpectedCount; });
}

}  // namespace sumvane
