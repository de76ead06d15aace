#include "files/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace sumvane {

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr std::string_view kReplacementGb18030 = "\x84\x31\xA4\x37";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the well-formed UTF-8 sequence that starts at p, or 0 when
// none does.
std::size_t SequenceLength(const unsigned char* p, const unsigned char* end) {
  const unsigned char b0 = p[0];
  if (b0 < 0x80) return 1;
  const std::size_t left = static_cast<std::size_t>(end - p);
  auto is_tail = [](unsigned char b) { return (b & 0xC0) == 0x80; };
  if (b0 >= 0xC2 && b0 <= 0xDF) return left >= 2 && is_tail(p[1]) ? 2 : 0;
  if (b0 >= 0xE0 && b0 <= 0xEF) {
    if (left < 3 || !is_tail(p[1]) || !is_tail(p[2])) return 0;
    if (b0 == 0xE0 && p[1] < 0xA0) return 0;  // overlong
    if (b0 == 0xED && p[1] > 0x9F) return 0;  // surrogate
    return 3;
  }
  if (b0 >= 0xF0 && b0 <= 0xF4) {
    if (left < 4 || !is_tail(p[1]) || !is_tail(p[2]) || !is_tail(p[3])) return 0;
    if (b0 == 0xF0 && p[1] < 0x90) return 0;  // overlong
    if (b0 == 0xF4 && p[1] > 0x8F) return 0;  // beyond U+10FFFF
    return 4;
  }
  return 0;
}

// The length of the leading run of ASCII bytes, eight at a time where it can.
std::size_t AsciiRun(const unsigned char* p, const unsigned char* end) {
  const unsigned char* q = p;
  while (end - q >= 8) {
    std::uint64_t word;
    std::memcpy(&word, q, 8);
    if (word & 0x8080808080808080ULL) break;
    q += 8;
  }
  while (q < end && *q < 0x80) ++q;
  return static_cast<std::size_t>(q - p);
}

// Well-formed UTF-8 with every invalid byte replaced by U+FFFD.
std::string SanitizeUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    std::size_t run = AsciiRun(p, end);
    while (p + run < end) {
      const std::size_t n = SequenceLength(p + run, end);
      if (n == 0) break;
      run += n;
    }
    out.append(reinterpret_cast<const char*>(p), run);
    p += run;
    if (p < end) {
      out.append(kReplacementUtf8);
      ++p;
    }
  }
  return out;
}

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `in`, appending to `out`. Where the input cannot be
  // converted, `replacement` is appended and conversion goes on after the
  // offending byte, or after the whole character when the input is UTF-8.
  void Convert(std::string_view in, std::string_view replacement, bool utf8_input,
               std::string& out) {
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    std::size_t used = out.size();
    // Room for the usual expansion; grown further only when iconv asks.
    out.resize(used + in.size() + in.size() / 2 + 16);
    while (src_left > 0) {
      char* dst = out.data() + used;
      std::size_t dst_left = out.size() - used;
      const std::size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      used = out.size() - dst_left;
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() + src_left * 2 + 16);
        continue;
      }
      // EILSEQ, or EINVAL for a sequence cut off at the end.
      if (out.size() - used < replacement.size()) {
        out.resize(used + replacement.size() + src_left * 2 + 16);
      }
      std::memcpy(out.data() + used, replacement.data(), replacement.size());
      used += replacement.size();
      std::size_t skip = 1;
      if (utf8_input) {
        const auto* p = reinterpret_cast<const unsigned char*>(src);
        skip = std::max<std::size_t>(1, SequenceLength(p, p + src_left));
      }
      src += skip;
      src_left -= skip;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
  }

  // Converts exactly one whole character into `out` (room for 8 bytes); the
  // number of bytes written, or 0 when the converter does not take the bytes
  // as exactly that one character.
  std::size_t ConvertOne(std::string_view in, char* out) {
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    char* dst = out;
    std::size_t dst_left = 8;
    const std::size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
    if (rc == static_cast<std::size_t>(-1) || src_left != 0) {
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      return 0;
    }
    return 8 - dst_left;
  }

 private:
  iconv_t cd_;
};

// GB18030 to UTF-8 for the files this program writes, which are ASCII apart
// from the row marker and the odd Chinese character. Converting them byte run
// by byte run through iconv costs far more than the file's parsing, so ASCII is
// copied as it is and each two-byte character is converted once and then
// looked up. Four-byte characters and bytes that are not GB18030 are left to
// the converter, from the first of them to the end of the file; the result is
// the converter's for the whole file either way, GB18030 being stateless.
class Gb18030Decoder {
 public:
  explicit Gb18030Decoder(Converter& converter) : converter_(converter) {}

  void Decode(std::string_view bytes, std::string& out) {
    // Written in place rather than appended piece by piece: every line of a
    // file has its piece of ASCII and its marker. A byte gives at most 1.5
    // bytes of UTF-8, and the slack lets a character be copied as 3 bytes.
    const std::size_t start = out.size();
    out.resize(start + bytes.size() + bytes.size() / 2 + 3);
    char* dst = out.data() + start;
    const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* p = begin;
    const auto* end = p + bytes.size();
    while (p < end) {
      const std::size_t run = AsciiRun(p, end);
      std::memcpy(dst, p, run);
      dst += run;
      p += run;
      if (p == end || end - p < 2 || !IsLead(p[0]) || !IsTwoByteTrail(p[1])) break;
      const Cached& utf8 = TwoByte(p[0], p[1]);
      if (utf8.size == kNotCached) break;
      std::memcpy(dst, utf8.bytes, sizeof utf8.bytes);
      dst += utf8.size;
      p += 2;
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    if (p < end) {
      converter_.Convert(bytes.substr(static_cast<std::size_t>(p - begin)), kReplacementUtf8, false,
                         out);
    }
  }

 private:
  // The UTF-8 form of a two-byte character: at most 3 bytes, the two-byte
  // forms all lying in the Basic Multilingual Plane.
  struct Cached {
    char bytes[3];
    unsigned char size;  // kUnknown until converted
  };
  static constexpr unsigned char kUnknown = 0;
  static constexpr unsigned char kNotCached = 0xFF;

  static bool IsLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
  static bool IsTwoByteTrail(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
  }

  const Cached& TwoByte(unsigned char lead, unsigned char trail) {
    if (table_.empty()) table_.assign(126 * 191, Cached{{}, kUnknown});
    Cached& entry = table_[(lead - 0x81) * 191 + (trail - 0x40)];
    if (entry.size == kUnknown) {
      const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      char utf8[8];
      const std::size_t n = converter_.ConvertOne(std::string_view(in, 2), utf8);
      entry.size = kNotCached;
      if (n >= 1 && n <= 3) {
        std::memcpy(entry.bytes, utf8, n);
        entry.size = static_cast<unsigned char>(n);
      }
    }
    return entry;
  }

  Converter& converter_;
  std::vector<Cached> table_;
};

// UTF-8 to GB18030 the same way round, for well-formed UTF-8: ASCII is copied
// and each other character is converted once and then looked up in a small
// cache, which holds the row marker and the few other characters a file has.
// From a character that the converter does not take, the converter does the
// rest.
class Gb18030Encoder {
 public:
  explicit Gb18030Encoder(Converter& converter) : converter_(converter) {}

  void Encode(std::string_view utf8, std::string& out) {
    out.reserve(out.size() + utf8.size() + utf8.size() / 2);
    const auto* begin = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* p = begin;
    const auto* end = p + utf8.size();
    while (p < end) {
      const std::size_t run = AsciiRun(p, end);
      out.append(reinterpret_cast<const char*>(p), run);
      p += run;
      if (p == end) break;
      const std::size_t n = SequenceLength(p, end);
      if (n == 0) break;
      const Cached* gb = Lookup(p, n);
      if (gb == nullptr) break;
      out.append(gb->bytes, gb->size);
      p += n;
    }
    if (p < end) {
      converter_.Convert(utf8.substr(static_cast<std::size_t>(p - begin)), kReplacementGb18030,
                         true, out);
    }
  }

 private:
  struct Cached {
    std::uint32_t key = 0;  // the character's UTF-8 bytes; 0 for an empty slot
    char bytes[4] = {};
    unsigned char size = 0;
  };

  const Cached* Lookup(const unsigned char* p, std::size_t n) {
    std::uint32_t key = 0;
    for (std::size_t i = 0; i < n; ++i) key = key << 8 | p[i];
    Cached& slot = cache_[(key * 2654435761u) >> 26];
    if (slot.key != key) {
      char gb[8];
      const std::size_t size =
          converter_.ConvertOne(std::string_view(reinterpret_cast<const char*>(p), n), gb);
      if (size == 0 || size > sizeof slot.bytes) return nullptr;
      slot.key = key;
      std::memcpy(slot.bytes, gb, size);
      slot.size = static_cast<unsigned char>(size);
    }
    return &slot;
  }

  Converter& converter_;
  std::array<Cached, 64> cache_{};  // indexed by the top six bits of a hash
};

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
    p += AsciiRun(p, end);
    if (p == end) break;
    const std::size_t n = SequenceLength(p, end);
    if (n == 0) return false;
    p += n;
  }
  return true;
}

std::string EncodeGb18030(std::string_view utf8) {
  // Only text with bytes that are not UTF-8 needs a cleaned copy.
  std::string clean;
  if (!IsValidUtf8(utf8)) {
    clean = SanitizeUtf8(utf8);
    utf8 = clean;
  }
  std::string out;
  Converter converter("GB18030", "UTF-8");
  if (!converter.ok()) return out;
  // The converter lacks forms for a few private-use characters whose GB18030
  // codes now belong to standard characters; they are written as U+FFFD.
  Gb18030Encoder(converter).Encode(utf8, out);
  return out;
}

std::string DecodeFileText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    return std::string(bytes);
  }
  std::string out;
  Converter converter("UTF-8", "GB18030");
  if (!converter.ok()) return SanitizeUtf8(bytes);
  Gb18030Decoder(converter).Decode(bytes, out);
  return out;
}

}  // namespace sumvane
