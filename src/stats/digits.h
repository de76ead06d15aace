// Character classes and exponent arithmetic shared by the reading and the
// shortening of figures.
#pragma once

namespace sumvane::digits {

inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Exponents are only ever compared against the double range, so anything far
// beyond it may saturate without changing a result.
inline constexpr long long kExponentCap = 1'000'000'000'000LL;

inline long long AddExponentDigit(long long exponent, char digit) {
  if (exponent >= kExponentCap) return kExponentCap;
  return exponent * 10 + (digit - '0');
}

}  // namespace sumvane::digits
