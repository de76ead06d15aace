#include "files/gb18030_decoder.h"

#include <cstring>

#include "files/byte_scan.h"

namespace sumvane {

namespace {

bool IsLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool IsTwoByteTrail(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

}  // namespace

Gb18030Decoder::Gb18030Decoder() : converter_("UTF-8", "GB18030") {}

bool Gb18030Decoder::Decode(std::string_view line, std::string& out) {
  const std::size_t start = out.size();
  // Written in place rather than appended piece by piece. A byte gives at
  // most 1.5 bytes of UTF-8, and the slack lets a character be copied as 3.
  out.resize(start + line.size() + line.size() / 2 + 3);
  char* dst = out.data() + start;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t run = AsciiRun(line.substr(at));
    std::memcpy(dst, line.data() + at, run);
    dst += run;
    at += run;
    if (at == line.size() || line.size() - at < 2) break;
    const auto lead = static_cast<unsigned char>(line[at]);
    const auto trail = static_cast<unsigned char>(line[at + 1]);
    if (!IsLead(lead) || !IsTwoByteTrail(trail)) break;
    const Cached& utf8 = TwoByte(lead, trail);
    if (utf8.size == kNotCached) break;
    std::memcpy(dst, utf8.bytes, sizeof utf8.bytes);
    dst += utf8.size;
    at += 2;
  }
  out.resize(static_cast<std::size_t>(dst - out.data()));
  if (at == line.size()) return true;
  if (converter_.ok() && converter_.ConvertStrict(line.substr(at), out)) return true;
  out.resize(start);
  return false;
}

const Gb18030Decoder::Cached& Gb18030Decoder::TwoByte(unsigned char lead, unsigned char trail) {
  if (table_.empty()) table_.assign(126 * 191, Cached{{}, kUnknown});
  Cached& entry = table_[(lead - 0x81) * 191 + (trail - 0x40)];
  if (entry.size == kUnknown) {
    entry.size = kNotCached;
    const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char utf8[8];
    const std::size_t n =
        converter_.ok() ? converter_.ConvertOne(std::string_view(in, 2), utf8) : 0;
    if (n >= 1 && n <= 3) {
      std::memcpy(entry.bytes, utf8, n);
      entry.size = static_cast<unsigned char>(n);
    }
  }
  return entry;
}

}  // namespace sumvane
