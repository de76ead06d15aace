#include "files/gb18030_decoder.h"

#include <array>
#include <cstring>

#include "files/byte_scan.h"
#include "files/encoding.h"
#include "stats/utf8.h"

namespace sumvane {

namespace {

bool IsLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool IsTwoByteTrail(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

}  // namespace

Gb18030Decoder::Gb18030Decoder()
    : converter_("UTF-8", "GB18030"), table_(126 * 191, Cached{{}, kUnknown}) {}

bool Gb18030Decoder::Decode(std::string_view bytes, std::string& out, bool* utf8_stretch) {
  const std::size_t start = out.size();
  // Written in place rather than appended piece by piece. A character gives
  // at most one byte of UTF-8 more than its bytes, and only one whose lead
  // is not ASCII; the slack lets the last be copied as 3 bytes. The rest,
  // left to iconv, grows the text as it needs.
  out.resize(start + bytes.size() + NonAsciiBytes(bytes) + 3);
  char* dst = out.data() + start;
  std::size_t at = 0;
  std::size_t stretch_end = 0;  // of the last stretch outside ASCII looked at
  while (at < bytes.size()) {
    const std::size_t run = AsciiRun(bytes.substr(at));
    std::memcpy(dst, bytes.data() + at, run);
    dst += run;
    at += run;
    if (at == bytes.size()) break;
    if (utf8_stretch != nullptr && at >= stretch_end) {
      stretch_end = at;
      while (stretch_end < bytes.size() && static_cast<unsigned char>(bytes[stretch_end]) >= 0x80) {
        ++stretch_end;
      }
      // Most stretches fail at their first byte (A1 of the marker continues
      // a UTF-8 sequence rather than starting one).
      if (!*utf8_stretch && utf8::LeadLength(bytes[at]) != 0) {
        *utf8_stretch = IsValidUtf8(bytes.substr(at, stretch_end - at));
      }
    }
    if (bytes.size() - at < 2) break;
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const auto trail = static_cast<unsigned char>(bytes[at + 1]);
    if (!IsLead(lead) || !IsTwoByteTrail(trail)) break;
    Cached& utf8 = table_[(lead - 0x81) * 191 + (trail - 0x40)];
    if (utf8.size == kUnknown) Fill(utf8, lead, trail);
    if (utf8.size == kNotCached) break;
    std::memcpy(dst, utf8.bytes, sizeof utf8.bytes);
    dst += utf8.size;
    at += 2;
  }
  out.resize(static_cast<std::size_t>(dst - out.data()));
  if (at == bytes.size()) return true;
  // The stretches of the rest are not looked at.
  if (utf8_stretch != nullptr) *utf8_stretch = true;
  if (converter_.ok() && converter_.ConvertStrict(bytes.substr(at), out)) return true;
  out.resize(start);
  return false;
}

// One pass that writes as it goes: the scans run over ASCII eight bytes at a
// time, and the copy and new text of Decode are spared. A character that
// needs more puts back the characters written before it.
bool Gb18030Decoder::DecodeInPlace(std::string& bytes) {
  char* const data = bytes.data();
  const std::size_t size = bytes.size();
  // The GB18030 form of each character written, by its code point: two-byte
  // UTF-8 holds U+0080 to U+07FF.
  std::array<std::array<char, 2>, 0x800> written{};
  auto put_back = [&](std::size_t end) {
    for (std::size_t at = 0;;) {
      at += AsciiRun(std::string_view(data + at, end - at));
      if (at == end) return false;
      const std::array<char, 2>& gb = written[(static_cast<unsigned char>(data[at]) & 0x1Fu) << 6 |
                                              (static_cast<unsigned char>(data[at + 1]) & 0x3Fu)];
      data[at] = gb[0];
      data[at + 1] = gb[1];
      at += 2;
    }
  };
  std::size_t stretch_end = 0;
  for (std::size_t at = 0;;) {
    at += AsciiRun(std::string_view(data + at, size - at));
    if (at == size) return true;
    if (at >= stretch_end) {
      stretch_end = at;
      while (stretch_end < size && static_cast<unsigned char>(data[stretch_end]) >= 0x80) {
        ++stretch_end;
      }
      if (utf8::LeadLength(data[at]) != 0 &&
          IsValidUtf8(std::string_view(data + at, stretch_end - at))) {
        return put_back(at);
      }
    }
    if (size - at < 2) return put_back(at);
    const auto lead = static_cast<unsigned char>(data[at]);
    const auto trail = static_cast<unsigned char>(data[at + 1]);
    if (!IsLead(lead) || !IsTwoByteTrail(trail)) return put_back(at);
    Cached& utf8 = table_[(lead - 0x81) * 191 + (trail - 0x40)];
    if (utf8.size == kUnknown) Fill(utf8, lead, trail);
    if (utf8.size != 2) return put_back(at);
    written[(static_cast<unsigned char>(utf8.bytes[0]) & 0x1Fu) << 6 |
            (static_cast<unsigned char>(utf8.bytes[1]) & 0x3Fu)] = {data[at], data[at + 1]};
    data[at] = utf8.bytes[0];
    data[at + 1] = utf8.bytes[1];
    at += 2;
  }
}

void Gb18030Decoder::Fill(Cached& entry, unsigned char lead, unsigned char trail) {
  entry.size = kNotCached;
  const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  char utf8[8];
  const std::size_t n = converter_.ok() ? converter_.ConvertOne(std::string_view(in, 2), utf8) : 0;
  if (n >= 1 && n <= 3) {
    std::memcpy(entry.bytes, utf8, n);
    entry.size = static_cast<unsigned char>(n);
  }
}

}  // namespace sumvane
