// ReadNumber on any bytes, checked against strtod on the number that the text
// holds once blanks are gone and a D exponent is written as E.
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "check.h"
#include "stats/number.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string WithoutBlanks(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') out += c;
  }
  return out;
}

// The leading decimal number of a blank-free text in the C library's syntax,
// or the empty text when it has no digit.
std::string LeadingDecimal(const std::string& text) {
  std::size_t i = 0;
  std::string out;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
  bool digit = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      digit = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
    out += text[i];
  }
  if (!digit) return {};
  if (i < text.size() && std::string_view("EeDd").find(text[i]) != std::string_view::npos) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) exponent += text[j++];
      out += exponent;
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = sumvane::ReadNumber(text);
  FUZZ_CHECK(!std::isnan(value));

  const std::string bare = WithoutBlanks(text);
  // Blanks are invisible anywhere in the text.
  FUZZ_CHECK(sumvane::ReadNumber(bare) == value);

  if (!bare.empty() && bare[0] == '&') {
    // A 32-bit whole number, or 0 for an unknown prefix.
    FUZZ_CHECK(value == std::trunc(value));
    FUZZ_CHECK(value >= -2147483648.0 && value <= 2147483647.0);
    return 0;
  }

  const std::string decimal = LeadingDecimal(bare);
  if (decimal.empty()) {
    FUZZ_CHECK(value == 0.0);
    return 0;
  }
  errno = 0;
  const double expected = std::strtod(decimal.c_str(), nullptr);
  // Only a text beyond the double range reads as an infinity; strtod says
  // exactly which ones are.
  FUZZ_CHECK(std::isinf(value) == std::isinf(expected));
  if (std::fabs(expected) < DBL_MIN) {
    // Below the normal range the value may flush to zero.
    FUZZ_CHECK(value == expected || value == 0.0);
  } else {
    FUZZ_CHECK(value == expected);
  }
  return 0;
}
