// Byte encodings of the data files. Files are written in GB18030, which is
// byte-for-byte GBK for every GBK character and can also encode every other
// character, so nothing typed is lost; they are read as UTF-8 when the whole
// file is valid UTF-8 and as GB18030 (and so GBK) otherwise.
#pragma once

#include <string>
#include <string_view>

namespace sumvane {

// UTF-8 to GB18030. A byte that does not belong to a valid UTF-8 sequence, and
// one of the few private-use characters that the converter cannot map, is
// written as U+FFFD.
std::string EncodeGb18030(std::string_view utf8);

// The bytes of a file to UTF-8: taken as they are, a leading byte-order mark
// removed, when the whole file is valid UTF-8; decoded from GB18030 otherwise,
// each byte that does not start a valid sequence becoming U+FFFD.
std::string DecodeFileText(std::string_view bytes);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing beyond U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

}  // namespace sumvane
