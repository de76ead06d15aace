// The reading half of encoding.h: from a file's bytes to its text, line by
// line where the file mixes encodings.
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "files/byte_scan.h"
#include "files/encoding.h"
#include "files/gb18030_decoder.h"

namespace sumvane {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

enum class ByteOrder { kLittle, kBig };

// UTF-16 without a mark shows itself by its zero bytes: every Latin character,
// digit, blank and line end has one, in the high half of its unit. Text in any
// byte encoding has none, so a few stray zeros do not count: they must be
// common (one unit in sixteen) and nearly all on one side.
std::optional<ByteOrder> Utf16ByZeroBytes(std::string_view bytes) {
  if (bytes.size() < 2 || std::memchr(bytes.data(), 0, bytes.size()) == nullptr) {
    return std::nullopt;
  }
  std::size_t zeros[2] = {0, 0};  // at even and at odd offsets
  for (std::size_t i = 0; i < bytes.size(); ++i) zeros[i & 1] += bytes[i] == '\0';
  const std::size_t units = bytes.size() / 2;
  const std::size_t high = zeros[0] > zeros[1] ? zeros[0] : zeros[1];
  const std::size_t low = zeros[0] > zeros[1] ? zeros[1] : zeros[0];
  if (high * 16 < units || high < 4 * low) return std::nullopt;
  // A Latin character in little-endian order is its byte, then zero.
  return zeros[1] > zeros[0] ? ByteOrder::kLittle : ByteOrder::kBig;
}

// Writes the UTF-8 form of `c` at `out`; the position after it.
char* PutUtf8(char32_t c, char* out) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// A line that could not be decoded is left empty and ended by CR LF, which
// cannot run together with a lone CR before it into one line end.
constexpr std::string_view kDroppedLineEnd = "\r\n";

DecodedText DecodeUtf16(std::string_view bytes, ByteOrder order) {
  DecodedText decoded;
  std::string& out = decoded.text;
  const std::size_t units = bytes.size() / 2;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const int high = order == ByteOrder::kLittle ? 1 : 0;
  // By value: the stores through `dst` below could otherwise be taken to
  // change them, and they would be loaded again for every unit.
  auto unit = [p, high](std::size_t i) -> char32_t {
    return static_cast<char32_t>(p[2 * i + high] << 8 | p[2 * i + 1 - high]);
  };
  // Sized once: a unit gives one byte of UTF-8, or up to three when it is
  // not ASCII (a pair of units four for their six), and a dropped line's
  // CR LF takes no more than the line's units gave.
  std::size_t wide = 0;
  for (std::size_t i = 0; i < units; ++i) {
    wide += (p[2 * i + high] | (p[2 * i + 1 - high] & 0x80)) != 0 ? 1 : 0;
  }
  out.resize(units + 2 * wide + kDroppedLineEnd.size());
  char* const begin = out.data();
  char* dst = begin;
  char* line_start = dst;
  bool damaged = false;
  // Ends the current line with `line_end` (empty at the end of the text).
  auto end_line = [&](std::string_view line_end) {
    if (damaged) {
      dst = line_start;
      ++decoded.undecodableLines;
      if (!line_end.empty()) line_end = kDroppedLineEnd;
    }
    for (const char c : line_end) *dst++ = c;
    line_start = dst;
    damaged = false;
  };
  for (std::size_t i = 0; i < units; ++i) {
    const char32_t c = unit(i);
    if (c >= 0x20 && c < 0x80) {
      *dst++ = static_cast<char>(c);
    } else if (c == '\r' && i + 1 < units && unit(i + 1) == '\n') {
      end_line("\r\n");
      ++i;
    } else if (c == '\r' || c == '\n') {
      end_line(c == '\r' ? "\r" : "\n");
    } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 &&
               unit(i + 1) <= 0xDFFF) {
      dst = PutUtf8(0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00), dst);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      damaged = true;
    } else {
      dst = PutUtf8(c, dst);
    }
  }
  if (bytes.size() % 2 != 0) damaged = true;
  end_line({});
  out.resize(static_cast<std::size_t>(dst - begin));
  return decoded;
}

// Calls `visit` with each line of the bytes and the length of its line end.
template <typename Visit>
void ForEachLine(std::string_view bytes, Visit visit) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t end = FindLineEnd(bytes, pos);
    const std::size_t line_end = LineEndLength(bytes, end);
    visit(bytes.substr(pos, end - pos), bytes.substr(end, line_end));
    pos = end + line_end;
  }
}

enum class LineOrder { kUtf8Only, kUtf8First, kGb18030First };

// A short GBK line can be valid UTF-8 as well (GBK's 女, C5 AE, is UTF-8's
// Ů), and UTF-8 Chinese is often valid GB18030. Such a line is read in the
// encoding of most of the file's other text outside ASCII. A line is evidence
// only for an encoding it is valid in: a damaged UTF-8 line that GB18030
// cannot read either would otherwise turn every row marker into 路.
LineOrder OrderByMajority(std::string_view bytes, Gb18030Decoder& decoder) {
  std::size_t utf8 = 0;
  std::size_t gb18030 = 0;
  std::string scratch;
  ForEachLine(bytes, [&](std::string_view line, std::string_view) {
    const std::size_t outside_ascii = NonAsciiBytes(line);
    if (outside_ascii == 0) return;
    if (IsValidUtf8(line)) {
      utf8 += outside_ascii;
    } else if (decoder.Decode(line, scratch)) {
      gb18030 += outside_ascii;
    }
    scratch.clear();
  });
  return utf8 >= gb18030 ? LineOrder::kUtf8First : LineOrder::kGb18030First;
}

// Each line in the first encoding it is valid in. `ambiguous`, when given,
// counts the lines read as UTF-8 that are not ASCII: only those could have
// been read as GB18030 as well.
DecodedText DecodeLines(std::string_view bytes, LineOrder order, int* ambiguous = nullptr) {
  DecodedText decoded;
  std::string& out = decoded.text;
  out.reserve(bytes.size() + bytes.size() / 2 + 3);
  std::optional<Gb18030Decoder> gb18030;
  auto try_gb18030 = [&](std::string_view line) {
    if (order == LineOrder::kUtf8Only) return false;
    if (!gb18030) gb18030.emplace();
    return gb18030->Decode(line, out);
  };
  auto try_utf8 = [&](std::string_view line) {
    if (!IsValidUtf8(line)) return false;
    if (ambiguous != nullptr && AsciiRun(line) < line.size()) ++*ambiguous;
    out.append(line);
    return true;
  };
  ForEachLine(bytes, [&](std::string_view line, std::string_view line_end) {
    const bool read = order == LineOrder::kGb18030First ? try_gb18030(line) || try_utf8(line)
                                                        : try_utf8(line) || try_gb18030(line);
    if (!read) ++decoded.undecodableLines;
    out.append(read || line_end.empty() ? line_end : kDroppedLineEnd);
  });
  return decoded;
}

// Whether a line outside ASCII is valid UTF-8: the only kind of line that a
// file which is not UTF-8 throughout might have in UTF-8.
bool HasUtf8Line(std::string_view bytes) {
  bool found = false;
  ForEachLine(bytes, [&](std::string_view line, std::string_view) {
    found = found || (AsciiRun(line) < line.size() && IsValidUtf8(line));
  });
  return found;
}

// UTF-8 first, as most files are; GB18030 first only where a line could be
// read both ways and most of the file is GB18030.
DecodedText DecodeMixedLines(std::string_view bytes, Gb18030Decoder& decoder) {
  // A file that is GB18030 throughout is decoded in one piece. Where every
  // stretch outside ASCII is invalid UTF-8 (the row marker A1 A4 is), so is
  // every line that has one.
  DecodedText whole;
  bool utf8_stretch = false;
  if (decoder.Decode(bytes, whole.text, &utf8_stretch) && (!utf8_stretch || !HasUtf8Line(bytes))) {
    return whole;
  }
  int ambiguous = 0;
  DecodedText decoded = DecodeLines(bytes, LineOrder::kUtf8First, &ambiguous);
  if (ambiguous == 0 || OrderByMajority(bytes, decoder) == LineOrder::kUtf8First) return decoded;
  return DecodeLines(bytes, LineOrder::kGb18030First);
}

}  // namespace

DecodedText DecodeFileText(std::string bytes) {
  const std::string_view view(bytes);
  if (view.starts_with(kUtf8Mark)) {
    if (IsValidUtf8(view.substr(kUtf8Mark.size()))) {
      bytes.erase(0, kUtf8Mark.size());
      return {std::move(bytes), 0};
    }
    return DecodeLines(view.substr(kUtf8Mark.size()), LineOrder::kUtf8Only);
  }
  if (view.starts_with(kUtf16LeMark)) return DecodeUtf16(view.substr(2), ByteOrder::kLittle);
  if (view.starts_with(kUtf16BeMark)) return DecodeUtf16(view.substr(2), ByteOrder::kBig);
  if (const std::optional<ByteOrder> order = Utf16ByZeroBytes(view)) {
    return DecodeUtf16(view, *order);
  }
  if (IsValidUtf8(view)) return {std::move(bytes), 0};
  // A file as this program writes it becomes its text without a copy.
  Gb18030Decoder decoder;
  if (decoder.DecodeInPlace(bytes)) return {std::move(bytes), 0};
  return DecodeMixedLines(view, decoder);
}

}  // namespace sumvane
