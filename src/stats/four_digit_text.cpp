#include "stats/four_digit_text.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace sumvane {
namespace {

constexpr int kDigits = 4;
constexpr int kLowestPositional = -4;
constexpr int kHighestPositional = 14;

}  // namespace

std::string FourDigitText(double value) {
  if (!std::isfinite(value)) return {};
  if (value == 0.0) return "0";
  // to_chars rounds the exact binary value correctly and ignores the locale.
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                     std::chars_format::scientific, kDigits - 1);
  const std::string_view scientific(buffer, static_cast<std::size_t>(written.ptr - buffer));
  const std::size_t e = scientific.find('e');
  std::string digits;
  for (char c : scientific.substr(0, e)) {
    if (c != '.') digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const std::string_view exponentText = scientific.substr(e + 1);
  int exponent = 0;
  std::from_chars(exponentText.data() + (exponentText[0] == '+' ? 1 : 0),
                  exponentText.data() + exponentText.size(), exponent);

  std::string text = value < 0.0 ? "-" : "";
  if (exponent < kLowestPositional || exponent > kHighestPositional) {
    text += digits.substr(0, 1);
    if (digits.size() > 1) {
      text += '.';
      text += digits.substr(1);
    }
    return text + (exponent < 0 ? "E-" : "E+") + std::to_string(std::abs(exponent));
  }
  if (exponent < 0) {
    return text + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  const auto whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) return text + digits + std::string(whole - digits.size(), '0');
  return text + digits.substr(0, whole) + "." + digits.substr(whole);
}

std::string FourDigitText(const std::optional<double>& value) {
  return value ? FourDigitText(*value) : std::string();
}

std::string FourDigitInterval(const Interval& interval) {
  return "(" + FourDigitText(interval.lower) + ", " + FourDigitText(interval.upper) + ")";
}

}  // namespace sumvane
