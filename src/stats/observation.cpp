#include "stats/observation.h"

#include <charconv>
#include <cstdlib>
#include <string>

#include "stats/digits.h"
#include "stats/number.h"
#include "stats/powers_of_ten.h"

namespace sumvane {
namespace {

using digits::AddExponentDigit;
using digits::Cursor;
using digits::IsDigit;

// Every power of ten up to 10^22 is a double exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPower = 22;
constexpr std::int64_t kLargestExactWhole = std::int64_t{1} << 53;

// The decimal exponent after "E" or "D"; 0 when no digit follows the marker,
// since "1E" and "1E+" are the number 1 followed by letters.
long long ReadExponent(Cursor& cursor) {
  const char marker = cursor.Peek();
  if (marker != 'E' && marker != 'e' && marker != 'D' && marker != 'd') return 0;
  cursor.Advance();
  bool negative = false;
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    negative = cursor.Peek() == '-';
    cursor.Advance();
  }
  long long exponent = 0;
  // Saturating is safe: an exponent that large is out of the exact range
  // whatever digits precede it.
  for (; IsDigit(cursor.Peek()); cursor.Advance())
    exponent = AddExponentDigit(exponent, cursor.Peek());
  return negative ? -exponent : exponent;
}

}  // namespace

double NearestDouble(Decimal decimal) {
  if (decimal.mantissa == 0) return 0.0;
  // A whole number of at most 53 bits and a power of ten up to 10^22 are both
  // doubles exactly, so one multiplication or division rounds the decimal
  // correctly, just as the parser behind ReadNumber does.
  if (decimal.mantissa >= -kLargestExactWhole && decimal.mantissa <= kLargestExactWhole &&
      std::abs(decimal.exponent) <= kLargestExactPower) {
    const auto whole = static_cast<double>(decimal.mantissa);
    return decimal.exponent >= 0 ? whole * kExactPowers[decimal.exponent]
                                 : whole / kExactPowers[-decimal.exponent];
  }
  const std::string text =
      std::to_string(decimal.mantissa) + 'e' + std::to_string(decimal.exponent);
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

double Observation::Value() const {
  if (!exact_) return std::bit_cast<double>(bits_);
  return NearestDouble(ExactForm());
}

Observation ReadObservation(std::string_view text) {
  Cursor cursor(text);
  if (cursor.Peek() == '&') return Observation::Approximate(ReadNumber(text));
  bool negative = false;
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    negative = cursor.Peek() == '-';
    cursor.Advance();
  }

  // Zeros after the last non-zero digit are only counted: they join the
  // mantissa when another non-zero digit follows, and the power of ten
  // otherwise.
  std::int64_t mantissa = 0;
  int digits = 0;
  long long pendingZeros = 0;
  long long fractionDigits = 0;
  bool point = false;
  for (;; cursor.Advance()) {
    const char c = cursor.Peek();
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(c)) break;
    if (point) ++fractionDigits;
    if (c == '0') {
      if (digits > 0) ++pendingZeros;
      continue;
    }
    if (digits + pendingZeros + 1 > kMaxExactDigits) {
      return Observation::Approximate(ReadNumber(text));
    }
    mantissa = mantissa * kPowersOfTen[pendingZeros + 1] + (c - '0');
    digits += static_cast<int>(pendingZeros) + 1;
    pendingZeros = 0;
  }
  if (mantissa == 0) return Observation();

  const long long exponent = pendingZeros - fractionDigits + ReadExponent(cursor);
  if (exponent < -kMaxExactExponent || exponent > kMaxExactExponent) {
    return Observation::Approximate(ReadNumber(text));
  }
  return Observation::Exact({negative ? -mantissa : mantissa, static_cast<int>(exponent)});
}

}  // namespace sumvane
