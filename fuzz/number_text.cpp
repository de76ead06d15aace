// NumberText, FormatDecimal and ClipText on every double, the first eight
// input bytes taken as its bit pattern; ClipText also on the raw input as text.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "check.h"
#include "stats/number.h"

namespace {

// The value rounded, or cut, to 15 significant digits, and the decimal
// exponent of its first digit, from the C library rather than from the code
// under test.
struct Rounded {
  double value;
  double cut;
  int exponent;
};

Rounded RoundTo15(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.14e", value);
  const char* e = std::strchr(text, 'e');
  char longer[64];
  std::snprintf(longer, sizeof longer, "%.20e", value);
  std::string cut(longer, std::strchr(longer, '.') + 15);
  cut += std::strchr(longer, 'e');
  return {std::strtod(text, nullptr), std::strtod(cut.c_str(), nullptr), std::atoi(e + 1)};
}

int DecimalExponent(double value) { return RoundTo15(value).exponent; }

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

int DigitCount(int n) { return n < 10 ? 1 : 1 + DigitCount(n / 10); }

void CheckFigure(double value) {
  const std::string text = sumvane::NumberText(value);
  const std::string decimal = sumvane::FormatDecimal(value);
  if (!std::isfinite(value)) {
    FUZZ_CHECK(text.empty() && decimal.empty());
    return;
  }
  for (const std::string* figure : {&text, &decimal}) {
    FUZZ_CHECK(!figure->empty() && figure->size() <= 22);
    FUZZ_CHECK(figure->find_first_not_of("0123456789.-+E") == std::string::npos);
  }
  const Rounded rounded = RoundTo15(value);
  const double read = sumvane::ReadNumber(text);
  // The text of a finite value reads back finite: where rounding would pass
  // the largest double, the digits are cut instead.
  FUZZ_CHECK(read == (std::isinf(rounded.value) ? rounded.cut : rounded.value));
  FUZZ_CHECK(sumvane::ReadNumber(decimal) == read);
  if (value == 0.0) FUZZ_CHECK(text == "0");

  for (int k = 1; k <= 12; ++k) {
    const std::string clipped = sumvane::ClipText(text, k);
    FUZZ_CHECK(clipped.size() <= static_cast<std::size_t>(k));
    if (text.size() <= static_cast<std::size_t>(k)) FUZZ_CHECK(clipped == text);
    if (value == 0.0) {
      FUZZ_CHECK(clipped == "0");
      continue;
    }
    FUZZ_CHECK(clipped != "0");
    if (clipped.empty()) {
      // Only when not even "dE+x" fits.
      const int shortest = (value < 0) + 3 + DigitCount(std::abs(rounded.exponent));
      FUZZ_CHECK(k < shortest);
      continue;
    }
    const double shown = sumvane::ReadNumber(clipped);
    FUZZ_CHECK(std::signbit(shown) == std::signbit(value));
    // Below the normal range a double cannot hold one decimal digit exactly.
    if (std::fabs(shown) >= DBL_MIN) FUZZ_CHECK(DecimalExponent(shown) == rounded.exponent);
    // Digits are cut, never rounded up.
    FUZZ_CHECK(std::fabs(shown) <= std::fabs(read));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  unsigned char bits[sizeof(double)] = {};
  std::memcpy(bits, data, size < sizeof bits ? size : sizeof bits);
  double value;
  std::memcpy(&value, bits, sizeof value);
  CheckFigure(value);

  if (size > 0) {
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int k = data[0] % 40;
    const std::string clipped = sumvane::ClipText(text, k);
    FUZZ_CHECK(CharacterCount(clipped) <= static_cast<std::size_t>(k));
    if (k >= 1 && CharacterCount(text) <= static_cast<std::size_t>(k)) FUZZ_CHECK(clipped == text);
  }
  return 0;
}
