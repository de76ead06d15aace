// GB18030 (and so GBK) to UTF-8, telling whether the bytes were GB18030 at
// all.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "files/iconv_converter.h"

namespace sumvane {

// The files this program writes are ASCII apart from the row marker and the
// odd Chinese character. Converting them run by run through iconv costs far
// more than the file's parsing, so ASCII is copied as it is and each two-byte
// character is converted once and then looked up. Four-byte characters and
// bytes that are not GB18030 are left to iconv, from the first of them to the
// end.
class Gb18030Decoder {
 public:
  Gb18030Decoder();

  // Appends the UTF-8 form of `bytes` (a line, or a whole file) to `out`;
  // false, and `out` as it was, when a byte of it starts no GB18030
  // character or a character is cut off. `utf8_stretch`, when given, is set
  // where a stretch of bytes outside ASCII may be valid UTF-8 as well.
  bool Decode(std::string_view bytes, std::string& out, bool* utf8_stretch = nullptr);

  // Turns the bytes into UTF-8 where they stand, when every character outside
  // ASCII is a two-byte one whose UTF-8 form has two bytes too (the row marker
  // A1 A4 is C2 B7: a file as this program writes it) and no stretch outside
  // ASCII may be UTF-8 as well. False, and the bytes as they were, otherwise.
  bool DecodeInPlace(std::string& bytes);

 private:
  // The UTF-8 form of a two-byte character: at most 3 bytes, the two-byte
  // forms all lying in the Basic Multilingual Plane.
  struct Cached {
    char bytes[3];
    unsigned char size;  // kUnknown until converted
  };
  static constexpr unsigned char kUnknown = 0;
  static constexpr unsigned char kNotCached = 0xFF;

  void Fill(Cached& entry, unsigned char lead, unsigned char trail);

  IconvConverter converter_;
  std::vector<Cached> table_;
};

}  // namespace sumvane
