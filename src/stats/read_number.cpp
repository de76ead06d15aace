// ReadNumber: the longest leading number of a text.
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

#include "stats/digits.h"
#include "stats/number.h"

namespace sumvane {
namespace {

using digits::AddExponentDigit;
using digits::Cursor;
using digits::IsBlank;
using digits::IsDigit;

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
}  // namespace sumvane
