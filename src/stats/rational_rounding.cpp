#include "stats/rational_rounding.h"

#include <cmath>
#include <cstdint>

namespace sumvane {
namespace {

// Why one conversion rounds correctly: the value is brought to a whole number
// of 58 or 59 bits (times a power of two) and a flag that says whether any
// remainder was dropped. A double keeps 53 bits, so at least five known bits
// lie below its last one: the first of them says on which side of halfway the
// value lies, the others and the flag say whether it is exactly halfway.
// Doubling the whole number and putting the flag in its lowest bit keeps all
// of that, and the machine's conversion of the result (below 2^63, so a
// single signed conversion) rounds to nearest, ties to even, as it would the
// whole infinite expansion. Scaling by a power of two is then exact for every
// normal double; the figures of exact sums never come near the subnormal
// range, where it would round a second time.
constexpr long kTargetBits = 58;

std::optional<double> Nearest(const BigInt& whole, bool inexact, long shift, bool negative) {
  const auto bits = static_cast<std::int64_t>(whole.convert_to<std::uint64_t>() << 1) |
                    static_cast<std::int64_t>(inexact);
  const double magnitude = std::ldexp(static_cast<double>(bits), static_cast<int>(-shift - 1));
  if (!std::isfinite(magnitude)) return std::nullopt;
  return negative ? -magnitude : magnitude;
}

long BitLength(const BigInt& x) { return static_cast<long>(boost::multiprecision::msb(x)) + 1; }

// Folds the power of ten into the numerator or the denominator.
void ScaleByPowerOfTen(BigInt& numerator, BigInt& denominator, int powerOfTen) {
  if (powerOfTen > 0) {
    numerator *= boost::multiprecision::pow(BigInt(10), static_cast<unsigned>(powerOfTen));
  } else if (powerOfTen < 0) {
    denominator *= boost::multiprecision::pow(BigInt(10), static_cast<unsigned>(-powerOfTen));
  }
}

// numerator · 2^shift, with a negative shift moved to the denominator.
void ShiftLeft(BigInt& numerator, BigInt& denominator, long shift) {
  if (shift > 0) {
    numerator <<= static_cast<unsigned>(shift);
  } else if (shift < 0) {
    denominator <<= static_cast<unsigned>(-shift);
  }
}

}  // namespace

std::optional<double> RoundQuotient(BigInt numerator, BigInt denominator, int powerOfTen) {
  if (denominator == 0) return std::nullopt;
  if (numerator == 0) return 0.0;
  const bool negative = (numerator < 0) != (denominator < 0);
  numerator = abs(numerator);
  denominator = abs(denominator);
  ScaleByPowerOfTen(numerator, denominator, powerOfTen);

  const long shift = kTargetBits - (BitLength(numerator) - BitLength(denominator));
  ShiftLeft(numerator, denominator, shift);
  BigInt quotient;
  BigInt remainder;
  divide_qr(numerator, denominator, quotient, remainder);
  return Nearest(quotient, remainder != 0, shift, negative);
}

std::optional<double> RoundRoot(BigInt numerator, BigInt denominator, int powerOfTen) {
  if (denominator == 0) return std::nullopt;
  if (numerator == 0) return 0.0;
  if ((numerator < 0) != (denominator < 0)) return std::nullopt;
  numerator = abs(numerator);
  denominator = abs(denominator);
  ScaleByPowerOfTen(numerator, denominator, powerOfTen);

  // The root of a whole number of 2 · kTargetBits bits, give or take one, has
  // kTargetBits or one more; the shift is halved, so it is taken even.
  const long excess = 2 * kTargetBits - (BitLength(numerator) - BitLength(denominator));
  const long shift = excess >= 0 ? excess / 2 : -((1 - excess) / 2);
  ShiftLeft(numerator, denominator, 2 * shift);
  BigInt quotient;
  BigInt remainder;
  divide_qr(numerator, denominator, quotient, remainder);
  // The root of the whole part has the same whole part as the root of the
  // full quotient, and falls short of it exactly when something was dropped.
  BigInt rootRemainder;
  const BigInt root = sqrt(quotient, rootRemainder);
  return Nearest(root, remainder != 0 || rootRemainder != 0, shift, false);
}

}  // namespace sumvane
