// Arithmetic that fails instead of producing NaN or an infinity. A result box
// shows a figure only when it can be formed, so every operation of the analyses
// goes through these helpers: a missing operand, a zero divisor, the root of a
// negative number or a result beyond the double range all give no value, and
// the caller shows the empty text for it.
#pragma once

#include <cmath>
#include <optional>

#include "stats/number.h"

namespace sumvane {

// The value itself when it is finite, otherwise no value.
inline Blank Finite(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// An operand takes part only when it is present and finite, so that an infinity
// read from a text cannot vanish into a finite result (1 / infinity is 0).
inline bool Usable(const Blank& x) { return x && std::isfinite(*x); }

inline Blank Add(const Blank& x, const Blank& y) {
  if (!Usable(x) || !Usable(y)) return std::nullopt;
  return Finite(*x + *y);
}

inline Blank Subtract(const Blank& x, const Blank& y) {
  if (!Usable(x) || !Usable(y)) return std::nullopt;
  return Finite(*x - *y);
}

inline Blank Multiply(const Blank& x, const Blank& y) {
  if (!Usable(x) || !Usable(y)) return std::nullopt;
  return Finite(*x * *y);
}

// Zero over zero fails too.
inline Blank Divide(const Blank& numerator, const Blank& divisor) {
  if (!Usable(numerator) || !Usable(divisor) || *divisor == 0.0) return std::nullopt;
  return Finite(*numerator / *divisor);
}

inline Blank SquareRoot(const Blank& x) {
  if (!Usable(x) || *x < 0.0) return std::nullopt;
  return std::sqrt(*x);
}

inline Blank Square(const Blank& x) { return Multiply(x, x); }

inline Blank Absolute(const Blank& x) {
  if (!Usable(x)) return std::nullopt;
  return std::fabs(*x);
}

}  // namespace sumvane
