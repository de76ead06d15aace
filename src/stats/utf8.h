// Walking UTF-8 text byte by byte: cell texts are UTF-8, and widths, cuts and
// decoding must never split a character.
#pragma once

#include <cstddef>
#include <string_view>

namespace sumvane::utf8 {

// Whether the byte continues a sequence rather than starting one.
constexpr bool IsContinuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The length of the sequence that a lead byte announces: 1 to 4, or 0 for a
// byte that cannot start a well-formed sequence (a continuation byte, C0, C1,
// F5 to FF).
constexpr std::size_t LeadLength(char lead) {
  const auto b = static_cast<unsigned char>(lead);
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

// The length of the well-formed sequence at the start of `text`, or 0 when
// none starts there: cut off, overlong, a surrogate, or beyond U+10FFFF.
constexpr std::size_t SequenceLength(std::string_view text) {
  if (text.empty()) return 0;
  const std::size_t length = LeadLength(text[0]);
  if (length <= 1 || text.size() < length) return length == 1 ? 1 : 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(text[i])) return 0;
  }
  const auto b0 = static_cast<unsigned char>(text[0]);
  const auto b1 = static_cast<unsigned char>(text[1]);
  if (b0 == 0xE0 && b1 < 0xA0) return 0;  // overlong
  if (b0 == 0xED && b1 > 0x9F) return 0;  // surrogate
  if (b0 == 0xF0 && b1 < 0x90) return 0;  // overlong
  if (b0 == 0xF4 && b1 > 0x8F) return 0;  // beyond U+10FFFF
  return length;
}

// The number of characters of well-formed text: every byte that does not
// continue a sequence starts one.
constexpr std::size_t CountCodePoints(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) count += IsContinuation(c) ? 0 : 1;
  return count;
}

}  // namespace sumvane::utf8
