// Byte encodings of the data files. Files are written in GB18030, which is
// byte-for-byte GBK for every GBK character and can also encode every other
// character, so nothing typed is lost. They are read in whatever a text
// editor or a spreadsheet may have left: UTF-8, GB18030 (and so GBK), or
// UTF-16, and a damaged byte costs no more than its own line.
#pragma once

#include <string>
#include <string_view>

namespace sumvane {

// UTF-8 to GB18030. A byte that does not belong to a valid UTF-8 sequence, and
// one of the few private-use characters that the converter cannot map, is
// written as U+FFFD.
std::string EncodeGb18030(std::string_view utf8);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing beyond U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

struct DecodedText {
  // Well-formed UTF-8 with the file's lines and line ends; a line that could
  // not be decoded is left empty, ended by CR LF.
  std::string text;
  int undecodableLines = 0;
};

// The bytes of a file as text. A byte-order mark decides the encoding (UTF-8,
// UTF-16 LE or BE); without one, text whose zero bytes nearly all stand in
// every second place is UTF-16 of that order, a file that is valid UTF-8
// throughout is UTF-8, and in any other file each line is UTF-8 when it is
// valid UTF-8 and GB18030 otherwise; a line valid in both is read in the
// encoding of most of the file's text outside ASCII. A line is undecodable
// when it is not
// valid in its encoding: a GB18030 line with a byte that starts no character,
// a UTF-16 line with a lone surrogate or a byte left over, a line of a UTF-8
// file with a mark that is not UTF-8. Lines may end in CR LF, LF or a lone CR.
// The bytes are taken by value: a file that is UTF-8 throughout becomes the
// text without a copy.
DecodedText DecodeFileText(std::string bytes);

}  // namespace sumvane
