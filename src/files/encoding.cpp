#include "files/encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "files/byte_scan.h"
#include "files/iconv_converter.h"
#include "stats/utf8.h"

namespace sumvane {

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr std::string_view kReplacementGb18030 = "\x84\x31\xA4\x37";

// Well-formed UTF-8 with every invalid byte replaced by U+FFFD.
std::string SanitizeUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    std::size_t run = AsciiRun(text);
    while (run < text.size()) {
      const std::size_t n = utf8::SequenceLength(text.substr(run));
      if (n == 0) break;
      run += n;
    }
    out.append(text.substr(0, run));
    text.remove_prefix(run);
    if (!text.empty()) {
      out.append(kReplacementUtf8);
      text.remove_prefix(1);
    }
  }
  return out;
}

// UTF-8 to GB18030 for well-formed UTF-8: ASCII is copied and each other
// character is converted once and then looked up in a small cache, which holds
// the row marker and the few other characters a file has. From a character
// that the converter does not take, the converter does the rest.
class Gb18030Encoder {
 public:
  explicit Gb18030Encoder(IconvConverter& converter) : converter_(converter) {}

  void Encode(std::string_view utf8, std::string& out) {
    out.reserve(out.size() + utf8.size() + utf8.size() / 2);
    while (!utf8.empty()) {
      const std::size_t run = AsciiRun(utf8);
      out.append(utf8.substr(0, run));
      utf8.remove_prefix(run);
      if (utf8.empty()) break;
      const std::size_t n = utf8::SequenceLength(utf8);
      if (n == 0) break;
      const Cached* gb = Lookup(utf8.substr(0, n));
      if (gb == nullptr) break;
      out.append(gb->bytes, gb->size);
      utf8.remove_prefix(n);
    }
    if (!utf8.empty()) converter_.ConvertReplacing(utf8, kReplacementGb18030, out);
  }

 private:
  struct Cached {
    std::uint32_t key = 0;  // the character's UTF-8 bytes; 0 for an empty slot
    char bytes[4] = {};
    unsigned char size = 0;
  };

  const Cached* Lookup(std::string_view character) {
    std::uint32_t key = 0;
    for (const char c : character) key = key << 8 | static_cast<unsigned char>(c);
    Cached& slot = cache_[(key * 2654435761u) >> 26];
    if (slot.key != key) {
      char gb[8];
      const std::size_t size = converter_.ConvertOne(character, gb);
      if (size == 0 || size > sizeof slot.bytes) return nullptr;
      slot.key = key;
      std::memcpy(slot.bytes, gb, size);
      slot.size = static_cast<unsigned char>(size);
    }
    return &slot;
  }

  IconvConverter& converter_;
  std::array<Cached, 64> cache_{};  // indexed by the top six bits of a hash
};

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  while (!bytes.empty()) {
    bytes.remove_prefix(AsciiRun(bytes));
    if (bytes.empty()) break;
    const std::size_t n = utf8::SequenceLength(bytes);
    if (n == 0) return false;
    bytes.remove_prefix(n);
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
  IconvConverter converter("GB18030", "UTF-8");
  if (!converter.ok()) return out;
  // The converter lacks forms for a few private-use characters whose GB18030
  // codes now belong to standard characters; they are written as U+FFFD.
  Gb18030Encoder(converter).Encode(utf8, out);
  return out;
}

}  // namespace sumvane
