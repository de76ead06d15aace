// Character classes, exponent arithmetic and the walk over a text's
// characters shared by the reading and the shortening of figures.
#pragma once

#include <cstddef>
#include <string_view>

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

// Walks a text the way ReadNumber does: blanks are invisible everywhere.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) { SkipBlanks(); }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Advance() {
    ++pos_;
    SkipBlanks();
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace sumvane::digits
