// A cell's number, read once when its text enters the list. People type short
// decimals, and a double cannot hold most of them (0.1 is not a binary
// fraction), so the number is kept as the exact decimal the text writes; the
// sums of the analyses then add these exactly. A text with no short decimal
// form keeps the double that ReadNumber gives.
#pragma once

#include <bit>
#include <cstdint>
#include <string_view>

namespace sumvane {

// mantissa · 10^exponent, exactly. Zero is {0, 0}; any other value carries no
// trailing zero in its mantissa, so equal numbers have equal forms.
struct Decimal {
  std::int64_t mantissa = 0;
  int exponent = 0;
  bool operator==(const Decimal&) const = default;
};

// The mantissa of an exact form has at most this many digits, and its power of
// ten lies within ± kMaxExactExponent, which keeps the aligned sums of a full
// list within a few hundred bits and every figure formed from them far inside
// the double range.
constexpr int kMaxExactDigits = 18;
constexpr int kMaxExactExponent = 30;

// Made only by ReadObservation, so that an exact form always keeps the limits
// above, which the sums rely on.
class Observation {
 public:
  // Zero, exactly.
  Observation() = default;

  bool HasExactForm() const { return exact_; }
  // Only for a value that has an exact form.
  std::int64_t Mantissa() const { return bits_; }
  int Exponent() const { return exponent_; }
  Decimal ExactForm() const { return {bits_, exponent_}; }

  // The double ReadNumber gives for the text: the exact form rounded to
  // nearest, or the double kept for a text without one.
  double Value() const;

  bool operator==(const Observation&) const = default;

 private:
  friend Observation ReadObservation(std::string_view text);
  static Observation Exact(Decimal decimal) {
    return Observation(decimal.mantissa, static_cast<std::int16_t>(decimal.exponent), true);
  }
  static Observation Approximate(double value) {
    return Observation(std::bit_cast<std::int64_t>(value), 0, false);
  }
  Observation(std::int64_t bits, std::int16_t exponent, bool exact)
      : bits_(bits), exponent_(exponent), exact_(exact) {}

  std::int64_t bits_ = 0;  // the mantissa, or the bits of the kept double
  std::int16_t exponent_ = 0;
  bool exact_ = true;
};

// The double nearest to mantissa · 10^exponent, as ReadNumber reads the
// decimal's text; any mantissa and exponent, not only an Observation's.
double NearestDouble(Decimal decimal);

// Reads the text as ReadNumber does (blanks skipped anywhere, an optional sign,
// digits with one point, an exponent introduced by E or D in either case, the
// rest ignored; no digit read gives 0). The value has an exact form unless the
// text starts with "&" (the "&H" and "&O" numbers), its digits from the first
// to the last non-zero one number more than kMaxExactDigits, or its power of
// ten falls outside ± kMaxExactExponent; those keep ReadNumber's double,
// infinities included.
Observation ReadObservation(std::string_view text);

}  // namespace sumvane
