// NumberText and FormatDecimal: numbers written as the window shows them.
#include <charconv>
#include <cmath>
#include <string>

#include "stats/digits.h"
#include "stats/number.h"

namespace sumvane {
namespace {

using digits::IsDigit;

// The digits of a value rounded to 15 significant digits, trailing zeros
// dropped, and the decimal exponent of the rounded value's first digit.
struct Rounded15 {
  char digits[16];
  int count;
  int exponent;
};

Rounded15 RoundTo15(double magnitude) {
  // to_chars is locale-independent and rounds the exact binary value, so the
  // digits are the ones any correct "%.14e" would print.
  char text[32];
  const auto result =
      std::to_chars(text, text + sizeof(text), magnitude, std::chars_format::scientific, 14);
  const char* end = result.ptr;
  Rounded15 rounded{};
  const char* p = text;
  for (; p != end && *p != 'e'; ++p) {
    if (IsDigit(*p)) rounded.digits[rounded.count++] = *p;
  }
  while (rounded.count > 1 && rounded.digits[rounded.count - 1] == '0') --rounded.count;
  std::from_chars(p + (*(p + 1) == '+' ? 2 : 1), end, rounded.exponent);
  return rounded;
}
}  // namespace

std::string NumberText(double value) {
  if (!std::isfinite(value)) return {};
  if (value == 0.0) return "0";

  Rounded15 rounded = RoundTo15(std::fabs(value));
  // The largest doubles round up past the double range, and their text would
  // read back as an infinity; their last digit is cut instead.
  if (rounded.exponent == 308 &&
      std::string_view(rounded.digits, rounded.count) == "179769313486232") {
    rounded.digits[rounded.count - 1] = '1';
  }
  const std::string_view digits(rounded.digits, rounded.count);
  const int e = rounded.exponent;
  std::string text = value < 0 ? "-" : "";

  if (e < -4 || e >= 15) {
    text += digits[0];
    if (digits.size() > 1) {
      text += '.';
      text += digits.substr(1);
    }
    text += 'E';
    text += e < 0 ? '-' : '+';
    const int size = e < 0 ? -e : e;
    if (size < 10) text += '0';
    text += std::to_string(size);
  } else if (e < 0) {
    text += '.';
    text.append(static_cast<std::size_t>(-e - 1), '0');
    text += digits;
  } else {
    const auto whole = static_cast<std::size_t>(e + 1);
    if (digits.size() <= whole) {
      text += digits;
      text.append(whole - digits.size(), '0');
    } else {
      text += digits.substr(0, whole);
      text += '.';
      text += digits.substr(whole);
    }
  }
  return text;
}

std::string NumberText(int count) { return std::to_string(count); }

std::string NumberText(const Blank& value) { return value ? NumberText(*value) : std::string(); }

std::string FormatDecimal(double value) {
  std::string text = NumberText(value);
  if (text.starts_with('.')) {
    text.insert(0, 1, '0');
  } else if (text.starts_with("-.")) {
    text.insert(1, 1, '0');
  }
  return text;
}

std::string FormatDecimal(const Blank& value) {
  return value ? FormatDecimal(*value) : std::string();
}
}  // namespace sumvane
