#include "stats/number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace sumvane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Exponents are only ever compared against the double range, so anything far
// beyond it may saturate without changing a result.
constexpr long long kExponentCap = 1'000'000'000'000LL;

long long AddExponentDigit(long long exponent, char digit) {
  if (exponent >= kExponentCap) return kExponentCap;
  return exponent * 10 + (digit - '0');
}

// Collects the accepted characters of a number for std::from_chars. Ordinary
// cell texts fit the inline storage, so reading a whole sample list does not
// touch the heap; only absurdly long texts spill into a string.
class NumberBuffer {
 public:
  void Push(char c) {
    if (spilled_) {
      long_.push_back(c);
    } else if (size_ < sizeof(short_)) {
      short_[size_++] = c;
    } else {
      long_.assign(short_, size_);
      long_.push_back(c);
      spilled_ = true;
    }
  }
  const char* begin() const { return spilled_ ? long_.data() : short_; }
  const char* end() const { return spilled_ ? long_.data() + long_.size() : short_ + size_; }

 private:
  char short_[64];
  std::size_t size_ = 0;
  std::string long_;
  bool spilled_ = false;
};

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

int DigitValue(char c, int base) {
  int value = -1;
  if (IsDigit(c)) {
    value = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  }
  return value < base ? value : -1;
}

// "&H" and "&O" numbers are 32-bit two's-complement: the digits wrap modulo
// 2^32, so "&HFFFFFFFF" is -1 while "&HFFFF" stays 65535.
double ReadPrefixedWhole(Cursor& cursor) {
  const char prefix = cursor.Peek();
  int base = 0;
  if (prefix == 'h' || prefix == 'H') base = 16;
  if (prefix == 'o' || prefix == 'O') base = 8;
  if (base == 0) return 0.0;
  cursor.Advance();
  std::uint32_t bits = 0;
  for (int digit = DigitValue(cursor.Peek(), base); digit >= 0;
       digit = DigitValue(cursor.Peek(), base)) {
    bits = bits * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
    cursor.Advance();
  }
  return static_cast<double>(static_cast<std::int32_t>(bits));
}

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

// A figure as NumberText and FormatDecimal write it, taken apart so that it
// can be shortened without losing its magnitude.
struct Figure {
  bool negative = false;
  bool positional = true;    // no exponent part
  std::size_t wholeEnd = 0;  // index just past the sign and the whole digits
  bool zero = true;
  std::string significant;  // digits from the first non-zero one, trailing zeros dropped
  long long exponent = 0;   // decimal exponent of the first significant digit
};

bool ParseFigure(std::string_view text, Figure& figure) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    figure.negative = text[i] == '-';
    ++i;
  }
  const long long signLength = static_cast<long long>(i);
  long long wholeDigits = 0;
  long long position = 0;  // of the current digit among all mantissa digits
  long long firstSignificant = -1;
  bool anyDigit = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      anyDigit = true;
      if (c != '0' && firstSignificant < 0) firstSignificant = position;
      if (firstSignificant >= 0) figure.significant.push_back(c);
      ++position;
      if (!point) ++wholeDigits;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return false;
  figure.wholeEnd = static_cast<std::size_t>(signLength + wholeDigits);
  long long exponent = 0;
  if (i < text.size()) {
    if (text[i] != 'E' && text[i] != 'e') return false;
    figure.positional = false;
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negativeExponent = text[i] == '-';
      ++i;
    }
    if (i == text.size()) return false;
    for (; i < text.size(); ++i) {
      if (!IsDigit(text[i])) return false;
      exponent = AddExponentDigit(exponent, text[i]);
    }
    if (negativeExponent) exponent = -exponent;
  }
  while (!figure.significant.empty() && figure.significant.back() == '0') {
    figure.significant.pop_back();
  }
  figure.zero = firstSignificant < 0;
  if (!figure.zero) figure.exponent = wholeDigits - 1 - firstSignificant + exponent;
  return true;
}

// The first k characters, counted as UTF-8 code points so that a cut never
// splits a character.
std::string_view FirstCharacters(std::string_view text, int k, bool& cut) {
  int count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) == 0x80) continue;
    if (count == k) {
      cut = true;
      return text.substr(0, i);
    }
    ++count;
  }
  cut = false;
  return text;
}

std::string CompactExponentForm(const Figure& figure, int k) {
  std::string suffix = "E";
  suffix += figure.exponent < 0 ? '-' : '+';
  suffix += std::to_string(figure.exponent < 0 ? -figure.exponent : figure.exponent);
  const int room = k - static_cast<int>(suffix.size()) - (figure.negative ? 1 : 0);
  if (room < 1) return {};
  std::string result = figure.negative ? "-" : "";
  result += figure.significant[0];
  // A lone "d." would waste a character on a point with nothing after it.
  if (room >= 3 && figure.significant.size() > 1) {
    std::string_view rest = std::string_view(figure.significant).substr(1, room - 2);
    while (!rest.empty() && rest.back() == '0') rest.remove_suffix(1);
    if (!rest.empty()) {
      result += '.';
      result += rest;
    }
  }
  return result + suffix;
}

bool HasNonZeroDigit(std::string_view text) {
  for (const char c : text) {
    if (c >= '1' && c <= '9') return true;
  }
  return false;
}

}  // namespace

double ReadNumber(std::string_view text) {
  Cursor cursor(text);
  if (cursor.Peek() == '&') {
    cursor.Advance();
    return ReadPrefixedWhole(cursor);
  }
  bool negative = false;
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    negative = cursor.Peek() == '-';
    cursor.Advance();
  }

  NumberBuffer buffer;
  bool anyDigit = false;
  bool point = false;
  // Positive for digits of magnitude 1 or more, negative below 1: all that is
  // needed to tell overflow from underflow when from_chars rejects a value.
  long long scale = 0;
  bool significantSeen = false;
  for (;;) {
    const char c = cursor.Peek();
    if (IsDigit(c)) {
      anyDigit = true;
      if (c != '0') significantSeen = true;
      if (!point && significantSeen) ++scale;
      if (point && !significantSeen) --scale;
      buffer.Push(c);
    } else if (c == '.' && !point) {
      point = true;
      buffer.Push(c);
    } else {
      break;
    }
    cursor.Advance();
  }
  if (!anyDigit) return 0.0;

  const char marker = cursor.Peek();
  if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
    cursor.Advance();
    bool negativeExponent = false;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
      negativeExponent = cursor.Peek() == '-';
      cursor.Advance();
    }
    // "1E" and "1E+" are the number 1 followed by letters that cannot continue.
    if (IsDigit(cursor.Peek())) {
      buffer.Push('e');
      if (negativeExponent) buffer.Push('-');
      long long exponent = 0;
      while (IsDigit(cursor.Peek())) {
        exponent = AddExponentDigit(exponent, cursor.Peek());
        buffer.Push(cursor.Peek());
        cursor.Advance();
      }
      scale += negativeExponent ? -exponent : exponent;
    }
  }

  double magnitude = 0.0;
  const auto result = std::from_chars(buffer.begin(), buffer.end(), magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    magnitude = scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  if (magnitude == 0.0) return 0.0;  // "-0" is plain zero
  return negative ? -magnitude : magnitude;
}

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

std::string ClipText(std::string_view text, int k) {
  if (k < 1) return {};
  bool cut = false;
  const std::string_view head = FirstCharacters(text, k, cut);
  if (!cut) return std::string(text);

  Figure figure;
  if (!ParseFigure(text, figure)) return std::string(head);
  // A zero cut short could show as "-0." or as no digit at all.
  if (figure.zero) return "0";
  // A plain cut keeps the magnitude only while the whole part survives and at
  // least one significant digit is left ("0.000" from 0.0000123 would not do).
  if (figure.positional && figure.wholeEnd <= static_cast<std::size_t>(k) &&
      HasNonZeroDigit(head)) {
    return std::string(head);
  }
  return CompactExponentForm(figure, k);
}

}  // namespace sumvane
