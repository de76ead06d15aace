#include "stats/strict_number.h"

#include <cmath>
#include <cstddef>

#include "stats/number.h"

namespace sumvane {
namespace {

// DBL_MAX has 309 digits before the point; fewer can never overflow.
constexpr std::size_t kLargestWholeDigits = 308;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number of digits from `at`.
std::size_t DigitRun(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - at;
}

// Whether the text, blanks trimmed, is exactly one number of the accepted
// form; `may_overflow` tells whether its value could lie beyond the double
// range (an exponent, or more whole digits than the largest double has).
bool IsOneNumber(std::string_view text, bool& may_overflow) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t whole = DigitRun(text, i);
  i += whole;
  std::size_t fraction = 0;
  if (i < text.size() && text[i] == '.') {
    fraction = DigitRun(text, i + 1);
    i += 1 + fraction;
  }
  if (whole + fraction == 0) return false;
  may_overflow = whole > kLargestWholeDigits;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    may_overflow = true;
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t exponent = DigitRun(text, i);
    if (exponent == 0) return false;
    i += exponent;
  }
  return i == text.size();
}

std::string_view TrimmedBlanks(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  std::size_t last = text.size();
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

}  // namespace

std::optional<double> ReadStrictNumber(std::string_view text) {
  const std::string_view number = TrimmedBlanks(text);
  bool may_overflow = false;
  if (!IsOneNumber(number, may_overflow)) return std::nullopt;
  // ReadNumber reads this form exactly, so the value is the one every
  // calculation will read from the stored text.
  const double value = ReadNumber(number);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

bool IsStrictNumber(std::string_view text) {
  const std::string_view number = TrimmedBlanks(text);
  bool may_overflow = false;
  if (!IsOneNumber(number, may_overflow)) return false;
  return !may_overflow || std::isfinite(ReadNumber(number));
}

}  // namespace sumvane
