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

// What one pass over a column tells before its sums are formed. Zeros scale to
// zero at any power of ten, so only the other values set the range.
struct Survey {
  bool exact = true;
  bool anyNonZero = false;
  int lowest = 0;  // the lowest and highest power of ten of a non-zero value
  int highest = 0;
  std::uint64_t largest = 0;  // the largest mantissa in magnitude
};

Survey SurveyColumn(std::span<const Observation> values) {
  Survey survey;
  int lowest = kMaxExactExponent;
  int highest = -kMaxExactExponent;
  for (const Observation& value : values) {
    if (!value.HasExactForm()) return {.exact = false};
    const std::int64_t mantissa = value.Mantissa();
    if (mantissa == 0) continue;
    survey.anyNonZero = true;
    lowest = std::min(lowest, value.Exponent());
    highest = std::max(highest, value.Exponent());
    const auto magnitude = static_cast<std::uint64_t>(mantissa < 0 ? -mantissa : mantissa);
    survey.largest = std::max(survey.largest, magnitude);
  }
  if (survey.anyNonZero) {
    survey.lowest = lowest;
    survey.highest = highest;
  }
  return survey;
}

int CommonLowest(const Survey& a, const Survey& b) {
  if (!a.anyNonZero) return b.lowest;
  if (!b.anyNonZero) return a.lowest;
  return std::min(a.lowest, b.lowest);
}

// The largest whole number a scaled value may reach for n of them, their
// squares and their products to be summed in 127 bits: n · limit² < 2^127.
std::uint64_t Limit(std::size_t n) {
  const long double root =
      std::sqrt(0x1p126L / static_cast<long double>(std::max<std::size_t>(n, 1)));
  return std::min(std::uint64_t{1} << 62, static_cast<std::uint64_t>(root));
}

// The largest magnitude of the column's values brought to 10^lowest, when it
// stays within the limit.
std::optional<std::uint64_t> ScaledBound(const Survey& survey, int lowest, std::uint64_t limit) {
  if (!survey.anyNonZero) return 0;
  const int span = survey.highest - lowest;
  if (span >= static_cast<int>(kPowersOfTen.size())) return std::nullopt;
  const auto power = static_cast<std::uint64_t>(kPowersOfTen[static_cast<std::size_t>(span)]);
  if (survey.largest > limit / power) return std::nullopt;
  return survey.largest * power;
}

// The value as a whole number of units of 10^lowest; the bound checked above
// keeps it within 64 bits. A zero may stand at any power, hence the clamp.
std::int64_t Scaled(const Observation& value, int lowest) {
  const int span = std::clamp(value.Exponent() - lowest, 0, kMaxExactDigits);
  return value.Mantissa() * kPowersOfTen[static_cast<std::size_t>(span)];
}

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

template <class Int>
Int ScaledAs(const Observation& value, int lowest) {
  if constexpr (std::is_same_v<Int, BigInt>) {
    return BigScaled(value, lowest);
  } else {
    return Scaled(value, lowest);
  }
}

template <class Int>
struct Totals {
  Int sum = 0;
  Int squares = 0;
  void Add(const Int& value) {
    sum += value;
    squares += value * value;
  }
  ColumnSums Finish(std::size_t n, int exponent) const {
    if constexpr (std::is_same_v<Int, BigInt>) {
      return {n, exponent, sum, squares};
    } else {
      return {n, exponent, ToBig(sum), ToBig(squares)};
    }
  }
};

template <class Int>
struct PairTotals {
  Totals<Int> x;
  Totals<Int> y;
  Int products = 0;
  void Add(const Int& u, const Int& v) {
    x.Add(u);
    y.Add(v);
    products += u * v;
  }
};

template <class Int>
ColumnSums SumScaled(std::span<const Observation> values, int lowest) {
  Totals<Int> totals;
  for (const Observation& value : values) totals.Add(ScaledAs<Int>(value, lowest));
  return totals.Finish(values.size(), lowest);
}

template <class Int>
ColumnSums SumScaledDifferences(std::span<const Observation> x, std::span<const Observation> y,
                                int lowest) {
  Totals<Int> totals;
  for (std::size_t i = 0; i < x.size(); ++i) {
    totals.Add(ScaledAs<Int>(x[i], lowest) - ScaledAs<Int>(y[i], lowest));
  }
  return totals.Finish(x.size(), lowest);
}

template <class Int>
PairSums SumScaledPairs(std::span<const Observation> x, std::span<const Observation> y, int xLowest,
                        int yLowest) {
  PairTotals<Int> totals;
  for (std::size_t i = 0; i < x.size(); ++i) {
    totals.Add(ScaledAs<Int>(x[i], xLowest), ScaledAs<Int>(y[i], yLowest));
  }
  PairSums sums{totals.x.Finish(x.size(), xLowest), totals.y.Finish(y.size(), yLowest), 0};
  if constexpr (std::is_same_v<Int, BigInt>) {
    sums.products = totals.products;
  } else {
    sums.products = ToBig(totals.products);
  }
  return sums;
}

}  // namespace

std::optional<ColumnSums> SumColumn(std::span<const Observation> values) {
  const Survey survey = SurveyColumn(values);
  if (!survey.exact) return std::nullopt;
  if (ScaledBound(survey, survey.lowest, Limit(values.size()))) {
    return SumScaled<Int128>(values, survey.lowest);
  }
  return SumScaled<BigInt>(values, survey.lowest);
}

std::optional<ColumnSums> SumDifferences(std::span<const Observation> x,
                                         std::span<const Observation> y) {
  if (x.size() != y.size()) return std::nullopt;
  const Survey xSurvey = SurveyColumn(x);
  const Survey ySurvey = SurveyColumn(y);
  if (!xSurvey.exact || !ySurvey.exact) return std::nullopt;
  const int lowest = CommonLowest(xSurvey, ySurvey);
  const std::uint64_t limit = Limit(x.size());
  const auto xBound = ScaledBound(xSurvey, lowest, limit);
  const auto yBound = ScaledBound(ySurvey, lowest, limit);
  // Both bounds are below 2^62, so their sum cannot wrap.
  if (xBound && yBound && *xBound + *yBound <= limit) {
    return SumScaledDifferences<Int128>(x, y, lowest);
  }
  return SumScaledDifferences<BigInt>(x, y, lowest);
}

std::optional<PairSums> SumPairs(std::span<const Observation> x, std::span<const Observation> y) {
  if (x.size() != y.size()) return std::nullopt;
  const Survey xSurvey = SurveyColumn(x);
  const Survey ySurvey = SurveyColumn(y);
  if (!xSurvey.exact || !ySurvey.exact) return std::nullopt;
  const std::uint64_t limit = Limit(x.size());
  if (ScaledBound(xSurvey, xSurvey.lowest, limit) && ScaledBound(ySurvey, ySurvey.lowest, limit)) {
    return SumScaledPairs<Int128>(x, y, xSurvey.lowest, ySurvey.lowest);
  }
  return SumScaledPairs<BigInt>(x, y, xSurvey.lowest, ySurvey.lowest);
}

}  // namespace sumvane
