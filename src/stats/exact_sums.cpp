#include "stats/exact_sums.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "stats/powers_of_ten.h"

namespace sumvane {
namespace {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

BigInt ToBig(Int128 value) {
  const UInt128 magnitude = value < 0 ? -static_cast<UInt128>(value) : static_cast<UInt128>(value);
  BigInt big = BigInt(static_cast<std::uint64_t>(magnitude >> 64)) << 64;
  big |= static_cast<std::uint64_t>(magnitude);
  return value < 0 ? BigInt(-big) : big;
}

std::uint64_t Magnitude(std::int64_t x) {
  return x < 0 ? -static_cast<std::uint64_t>(x) : static_cast<std::uint64_t>(x);
}

// 10^d at index d + kSpan for -kSpan <= d <= kSpan, where kSpan is the
// widest gap between two exact powers of ten; 0 where d < 0 or where a 64-bit
// whole number cannot hold 10^d. Only zeros, which scale to zero at any
// power, ever meet those entries, so the summing loops need no test for them.
constexpr int kSpan = 2 * kMaxExactExponent;
constexpr std::array<std::int64_t, 2 * kSpan + 1> kScales = [] {
  std::array<std::int64_t, 2 * kSpan + 1> scales{};
  for (std::size_t d = 0; d < kPowersOfTen.size(); ++d) scales[kSpan + d] = kPowersOfTen[d];
  return scales;
}();

std::int64_t Scaled(const Observation& value, int exponent) {
  return value.Mantissa() * kScales[static_cast<std::size_t>(value.Exponent() - exponent + kSpan)];
}

// What one pass over a column tells before its sums are formed. Zeros scale
// to zero at any power of ten, so only the other values set the range; a
// column of zeros has the range {0, 0}.
struct Survey {
  bool exact;
  int lowest;  // the powers of ten of the non-zero values
  int highest;
  std::uint64_t largest;  // the largest mantissa in magnitude
};

// The running figures are locals, which the compiler keeps in registers.
Survey SurveyColumn(std::span<const Observation> values) {
  bool exact = true;
  int lowest = kMaxExactExponent + 1;
  int highest = -kMaxExactExponent - 1;
  std::uint64_t largest = 0;
  for (const Observation& value : values) {
    exact &= value.HasExactForm();
    const bool zero = value.Mantissa() == 0;
    lowest = std::min(lowest, zero ? kMaxExactExponent : value.Exponent());
    highest = std::max(highest, zero ? -kMaxExactExponent : value.Exponent());
    largest = std::max(largest, Magnitude(value.Mantissa()));
  }
  if (largest == 0) return {exact, 0, 0, 0};
  return {exact, lowest, highest, largest};
}

// The largest whole number for which n of them, their squares and their
// products stay within 127 bits: n · limit² < 2^127.
std::uint64_t NarrowLimit(std::size_t n) {
  const long double root =
      std::sqrt(0x1p126L / static_cast<long double>(std::max<std::size_t>(n, 1)));
  return std::min(std::uint64_t{1} << 62, static_cast<std::uint64_t>(root));
}

// Whether every value of the column, in units of 10^exponent (at most its
// lowest power), stays within the limit.
bool WithinLimit(const Survey& survey, int exponent, std::uint64_t limit) {
  if (survey.largest == 0) return true;
  const auto span = static_cast<std::size_t>(survey.highest - exponent);
  return span < kPowersOfTen.size() &&
         survey.largest <= limit / static_cast<std::uint64_t>(kPowersOfTen[span]);
}

bool FitsNarrow(const Survey& survey, std::size_t n) {
  return WithinLimit(survey, survey.lowest, NarrowLimit(n));
}

ColumnSums SumNarrow(std::span<const Observation> values, int exponent) {
  Int128 sum = 0;
  Int128 squares = 0;
  for (const Observation& value : values) {
    const std::int64_t x = Scaled(value, exponent);
    sum += x;
    squares += static_cast<Int128>(x) * x;
  }
  return {values.size(), exponent, ToBig(sum), ToBig(squares)};
}

// Past 127 bits the sums are formed in big integers.
BigInt BigScaled(const Observation& value, int lowest) {
  static const auto powers = [] {
    std::array<BigInt, 2 * kMaxExactExponent + 1> table;
    table[0] = 1;
    for (std::size_t i = 1; i < table.size(); ++i) table[i] = table[i - 1] * 10;
    return table;
  }();
  if (value.Mantissa() == 0) return 0;
  return value.Mantissa() * powers[static_cast<std::size_t>(value.Exponent() - lowest)];
}

ColumnSums SumWide(std::span<const Observation> values, int exponent) {
  ColumnSums sums{values.size(), exponent, 0, 0};
  for (const Observation& value : values) {
    const BigInt scaled = BigScaled(value, exponent);
    sums.sum += scaled;
    sums.squares += scaled * scaled;
  }
  return sums;
}

// A column's sums in 127 bits when each value at the lowest power of ten is
// a 64-bit whole number within the limit for the column's length (and so are
// the products of two such columns), otherwise in big integers.
ColumnSums SumSurveyed(std::span<const Observation> values, const Survey& survey) {
  if (FitsNarrow(survey, values.size())) return SumNarrow(values, survey.lowest);
  return SumWide(values, survey.lowest);
}

// All five sums of two narrow columns in one pass.
PairSums SumNarrowPairs(std::span<const Observation> x, std::span<const Observation> y,
                        int xExponent, int yExponent) {
  Int128 sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const std::int64_t u = Scaled(x[i], xExponent);
    const std::int64_t v = Scaled(y[i], yExponent);
    sx += u;
    sy += v;
    sxx += static_cast<Int128>(u) * u;
    syy += static_cast<Int128>(v) * v;
    sxy += static_cast<Int128>(u) * v;
  }
  return {{x.size(), xExponent, ToBig(sx), ToBig(sxx)},
          {y.size(), yExponent, ToBig(sy), ToBig(syy)},
          ToBig(sxy)};
}

BigInt WideProducts(std::span<const Observation> x, std::span<const Observation> y, int xExponent,
                    int yExponent) {
  BigInt products = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    products += BigScaled(x[i], xExponent) * BigScaled(y[i], yExponent);
  }
  return products;
}

}  // namespace

std::optional<ColumnSums> SumColumn(std::span<const Observation> values) {
  const Survey survey = SurveyColumn(values);
  if (!survey.exact) return std::nullopt;
  return SumSurveyed(values, survey);
}

std::optional<PairSums> SumPairs(std::span<const Observation> x, std::span<const Observation> y) {
  if (x.size() != y.size()) return std::nullopt;
  const Survey xSurvey = SurveyColumn(x);
  const Survey ySurvey = SurveyColumn(y);
  if (!xSurvey.exact || !ySurvey.exact) return std::nullopt;
  if (FitsNarrow(xSurvey, x.size()) && FitsNarrow(ySurvey, y.size())) {
    return SumNarrowPairs(x, y, xSurvey.lowest, ySurvey.lowest);
  }
  PairSums sums{SumSurveyed(x, xSurvey), SumSurveyed(y, ySurvey), 0};
  sums.products = WideProducts(x, y, xSurvey.lowest, ySurvey.lowest);
  return sums;
}

// Each difference at the lower of the columns' lowest powers of ten. Values
// within half the limit keep their differences within it.
std::optional<ColumnSums> SumDifferences(std::span<const Observation> x,
                                         std::span<const Observation> y) {
  if (x.size() != y.size()) return std::nullopt;
  const Survey xSurvey = SurveyColumn(x);
  const Survey ySurvey = SurveyColumn(y);
  if (!xSurvey.exact || !ySurvey.exact) return std::nullopt;
  const int exponent = std::min(xSurvey.lowest, ySurvey.lowest);
  const std::uint64_t half = NarrowLimit(x.size()) / 2;
  if (WithinLimit(xSurvey, exponent, half) && WithinLimit(ySurvey, exponent, half)) {
    Int128 sum = 0;
    Int128 squares = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
      const std::int64_t d = Scaled(x[i], exponent) - Scaled(y[i], exponent);
      sum += d;
      squares += static_cast<Int128>(d) * d;
    }
    return ColumnSums{x.size(), exponent, ToBig(sum), ToBig(squares)};
  }
  ColumnSums sums{x.size(), exponent, 0, 0};
  for (std::size_t i = 0; i < x.size(); ++i) {
    const BigInt d = BigScaled(x[i], exponent) - BigScaled(y[i], exponent);
    sums.sum += d;
    sums.squares += d * d;
  }
  return sums;
}

}  // namespace sumvane
