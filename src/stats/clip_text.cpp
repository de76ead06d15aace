// ClipText: a figure shortened to a box's width without changing its magnitude.
#include <string>

#include "stats/digits.h"
#include "stats/number.h"
#include "stats/utf8.h"

namespace sumvane {
namespace {

using digits::AddExponentDigit;
using digits::IsDigit;

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
    if (utf8::IsContinuation(text[i])) continue;
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
