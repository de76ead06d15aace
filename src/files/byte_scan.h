// Fast scans over the bytes of a file, eight or sixteen bytes at a time: every
// byte of a loaded file passes through these.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sumvane {

// The length of the leading run of ASCII bytes.
inline std::size_t AsciiRun(std::string_view bytes) {
  const char* p = bytes.data();
  const char* end = p + bytes.size();
#if defined(__SSE2__)
  // Sixteen bytes at a time: a row line's run of ASCII takes two or three.
  while (end - p >= 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto high = static_cast<unsigned>(_mm_movemask_epi8(chunk));
    if (high != 0) {
      return static_cast<std::size_t>(p - bytes.data()) +
             static_cast<std::size_t>(std::countr_zero(high));
    }
    p += 16;
  }
#endif
  while (end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    const std::uint64_t high = word & 0x8080808080808080ULL;
    if (high != 0) {
      // The lowest flagged byte comes first; its place is read off the word
      // rather than found again byte by byte.
      if constexpr (std::endian::native == std::endian::little) {
        return static_cast<std::size_t>(p - bytes.data()) +
               static_cast<std::size_t>(std::countr_zero(high) / 8);
      }
      break;
    }
    p += 8;
  }
  while (p < end && static_cast<unsigned char>(*p) < 0x80) ++p;
  return static_cast<std::size_t>(p - bytes.data());
}

// The number of bytes that are not ASCII.
inline std::size_t NonAsciiBytes(std::string_view text) {
  std::size_t count = 0;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    // One bit per byte at the bottom of each byte, summed into the top byte.
    count += static_cast<std::size_t>(
        ((word & 0x8080808080808080ULL) >> 7) * 0x0101010101010101ULL >> 56);
  }
  for (; i < text.size(); ++i) count += static_cast<unsigned char>(text[i]) >> 7;
  return count;
}

// Whether the bytes are ASCII without a CR or LF.
inline bool IsAsciiWithoutLineEnd(std::string_view bytes) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    const std::uint64_t cr = word ^ (kOnes * '\r');
    const std::uint64_t lf = word ^ (kOnes * '\n');
    // A flag for every byte that is CR, LF or not ASCII (and maybe a false
    // one above a true one, which does not change the answer).
    if (((word | ((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighs) != 0) return false;
  }
  for (; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b >= 0x80 || b == '\r' || b == '\n') return false;
  }
  return true;
}

// The first CR or LF at or after `from`, or the size of the text.
inline std::size_t FindLineEnd(std::string_view text, std::size_t from) {
  std::size_t i = from;
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    for (; i + 8 <= text.size(); i += 8) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + i, 8);
      const std::uint64_t cr = word ^ (kOnes * '\r');
      const std::uint64_t lf = word ^ (kOnes * '\n');
      // The lowest flagged byte is the first CR or LF; flags above it may be
      // false, which does not matter.
      const std::uint64_t hit = (((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighs;
      if (hit != 0) return i + static_cast<std::size_t>(std::countr_zero(hit) / 8);
    }
  }
  for (; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') return i;
  }
  return text.size();
}

// The length of the line end at `at` (CR LF counts as one), 0 at the end.
inline std::size_t LineEndLength(std::string_view text, std::size_t at) {
  if (at >= text.size()) return 0;
  return text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
}

}  // namespace sumvane
