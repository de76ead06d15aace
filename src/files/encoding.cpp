#include "files/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

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

 private:
  iconv_t cd_;
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
  const std::string clean = SanitizeUtf8(utf8);
  std::string out;
  Converter converter("GB18030", "UTF-8");
  if (!converter.ok()) return out;
  // The converter lacks forms for a few private-use characters whose GB18030
  // codes now belong to standard characters; they are written as U+FFFD.
  converter.Convert(clean, kReplacementGb18030, true, out);
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
  converter.Convert(bytes, kReplacementUtf8, false, out);
  return out;
}

}  // namespace sumvane
