#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "files/encoding.h"

namespace sumvane {
namespace {

const std::string kFffd = "\xEF\xBF\xBD";
const std::string kFffdGb = "\x84\x31\xA4\x37";  // U+FFFD in GB18030

std::string Utf8(char32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  std::string tail;
  char32_t lead_limit = 0x40;  // the lead byte's room for bits
  unsigned char lead = 0x80;
  while (c >= lead_limit) {
    tail.insert(tail.begin(), static_cast<char>(0x80 | (c & 0x3F)));
    c >>= 6;
    lead_limit >>= 1;
    lead = static_cast<unsigned char>(lead >> 1 | 0x80);
  }
  return static_cast<char>(lead | c) + tail;
}

struct Conversion {
  std::string from, to;
};

TEST(EncodingTest, EncodesToGb18030) {
  const std::vector<Conversion> cases = {
      {"5.2 a\r\n", "5.2 a\r\n"},
      {"\xC2\xB7", "\xA1\xA4"},  // the row marker
      {"中文", "\xD6\xD0\xCE\xC4"},
      {"€", "\xA2\xE3"},
      {"\xC2\x80", "\x81\x30\x81\x30"},
      {"😀", "\x94\x39\xFC\x36"},
      {"a\xFF"
       "b",
       "a" + kFffdGb + "b"},
      {"\xE4\xB8", kFffdGb + kFffdGb},                // cut off
      {"\xED\xA0\x80", kFffdGb + kFffdGb + kFffdGb},  // a surrogate
  };
  for (const Conversion& c : cases) EXPECT_EQ(EncodeGb18030(c.from), c.to) << c.from;
}

// UTF-16 code units as bytes in either order.
std::string Utf16(std::u16string_view text, bool little_endian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += little_endian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

TEST(EncodingTest, DecodesEachFileAndEachLineInItsEncoding) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string text;
    int undecodable;
  };
  const std::u16string rows16 = u"·1 中\r\n·2 😀\n";
  const std::string rows8 =
      "\xC2\xB7"
      "1 中\r\n\xC2\xB7"
      "2 😀\n";
  const std::vector<Case> cases = {
      {"ASCII", "1 2\r\n", "1 2\r\n", 0},
      {"UTF-8", "\xC2\xB7中", "\xC2\xB7中", 0},
      {"UTF-8 with a mark",
       "\xEF\xBB\xBF\xC2\xB7"
       "1",
       "\xC2\xB7"
       "1",
       0},
      {"a mark alone", "\xEF\xBB\xBF", "", 0},
      {"GB18030",
       "\xA1\xA4"
       "1\r\n\xD6\xD0",
       "\xC2\xB7"
       "1\r\n中",
       0},
      // Two-byte characters of two-byte UTF-8 (ˊ, A8 40, has an ASCII trail
      // byte) are read where they stand, unless a longer one follows.
      {"GB18030 the same size in UTF-8", "\xA1\xA4\xA6\xC1\xA8\x40", "·αˊ", 0},
      {"GB18030 the same size, then longer", "\xA1\xA4\xA6\xC1\xA8\x40\r\n\xA1\xC1\xD6\xD0",
       "·αˊ\r\n×中", 0},
      {"GB18030 four-byte form", "\x94\x39\xFC\x36", "😀", 0},
      {"GB18030 U+FFFD is a character", "\x84\x31\xA4\x37", kFffd, 0},
      {"UTF-16 LE with a mark", "\xFF\xFE" + Utf16(rows16, true), rows8, 0},
      {"UTF-16 BE with a mark", "\xFE\xFF" + Utf16(rows16, false), rows8, 0},
      {"UTF-16 LE without a mark", Utf16(rows16, true), rows8, 0},
      {"UTF-16 BE without a mark", Utf16(rows16, false), rows8, 0},
      {"UTF-16 with 一 (00 4E)", Utf16(u"第一组\t1\r\n一\t2\r\n", true), "第一组\t1\r\n一\t2\r\n",
       0},
      // One damaged byte costs its own line and no other.
      {"GB18030 lines in a UTF-8 file",
       "\xC2\xB7"
       "1 第一\n\xA1\xA4"
       "2\n\xC2\xB7"
       "3 第三\r\n",
       "\xC2\xB7"
       "1 第一\n\xC2\xB7"
       "2\n\xC2\xB7"
       "3 第三\r\n",
       0},
      // 女 (C5 AE) is valid UTF-8 too, but the file is GBK.
      {"a GBK line that is valid UTF-8", "\xD0\xD4\xB1\xF0,1\r\n\xC5\xAE,2\r\n",
       "性别,1\r\n女,2\r\n", 0},
      {"GB18030 with bytes that start nothing",
       "\xA1\xA4"
       "1\r\n\xA1\xA4\x80x\xFF\r\n\xA1\xA4"
       "3",
       "\xC2\xB7"
       "1\r\n\r\n\xC2\xB7"
       "3",
       1},
      {"GB18030 character cut off at a line end", "\xA1\xA4\xD6\r\n\xA1\xA4\xD6", "\r\n", 2},
      {"four-byte form cut off", "\xA1\xA4\x81\x30\n1", "\r\n1", 1},
      // A dropped line ends in CR LF, so that it cannot join a lone CR before it.
      {"a dropped line after a lone CR", "\xA1\xA4\r\xFF\n1", "\xC2\xB7\r\r\n1", 1},
      {"UTF-8 file with a mark and a GBK line",
       "\xEF\xBB\xBF"
       "a\n\xD6\xD0\nb",
       "a\n\r\nb", 1},
      {"UTF-16 lone surrogates", "\xFF\xFE" + Utf16(u"a\r\n\xD800x\n\xDC00\nb", true),
       "a\r\n\r\n\r\nb", 2},
      {"UTF-16 cut off at an odd byte", "\xFF\xFE" + Utf16(u"a\n1", true) + "2", "a\n", 1},
      // GB18030 and UTF-8 have no zero bytes; two stray ones do not make UTF-16.
      {"stray zeros",
       "\xA1\xA4"
       "1 2 3 4 5 6 7 8 9" +
           std::string(2, '\0') + "10 11 12 13 14 15",
       "\xC2\xB7"
       "1 2 3 4 5 6 7 8 9" +
           std::string(2, '\0') + "10 11 12 13 14 15",
       0},
      {"a stray zero",
       "\xA1\xA4"
       "1 2 3 4 5 6 7 8 9" +
           std::string(1, '\0') + "10 11 12 13 14 15",
       "\xC2\xB7"
       "1 2 3 4 5 6 7 8 9" +
           std::string(1, '\0') + "10 11 12 13 14 15",
       0},
      // As a crash may leave a file: zeros on both sides are not UTF-16.
      {"zeros at the end",
       "\xA1\xA4"
       "1\r\n" +
           std::string(64, '\0'),
       "\xC2\xB7"
       "1\r\n" +
           std::string(64, '\0'),
       0},
      {"short GBK", "\xD6\xD0\xCE\xC4", "中文", 0},
      // The title's first byte (E6 of 数) is damaged: valid in neither
      // encoding, the line is no evidence for GB18030, and · stays ·.
      {"a UTF-8 file with a damaged title",
       "\x80\x95\xB0据：治疗前后的收缩压\r\n\xC2\xB7"
       "1 120\r\n\xC2\xB7"
       "2 135\r\n",
       "\r\n\xC2\xB7"
       "1 120\r\n\xC2\xB7"
       "2 135\r\n",
       1},
  };
  for (const Case& c : cases) {
    const DecodedText decoded = DecodeFileText(c.bytes);
    EXPECT_EQ(decoded.text, c.text) << c.name;
    EXPECT_EQ(decoded.undecodableLines, c.undecodable) << c.name;
  }
}

TEST(EncodingTest, RecognisesInvalidUtf8) {
  for (const char* bad :
       {"\xC1\xBF", "\xE0\x9F\xBF", "\xED\xBF\xBF", "\xF4\x90\x80\x80", "ab\xC2"}) {
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
  }
  EXPECT_TRUE(IsValidUtf8("\xC2\xB7中😀"));
}

// A saved file is never taken for UTF-8, because the marker A1 A4 starts every
// row; so every character comes back, except that a private-use character the
// converter cannot map comes back as one U+FFFD without touching its neighbours.
TEST(EncodingTest, EveryCharacterSurvivesARoundTrip) {
  std::string text = "\xC2\xB7";
  for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
    if (c < 0xD800 || c > 0xF8FF) text += Utf8(c);
  }
  EXPECT_EQ(DecodeFileText(EncodeGb18030(text)).text, text);

  int kept = 0;
  for (char32_t c = 0xE000; c <= 0xF8FF; ++c) {
    const std::string one =
        "\xC2\xB7"
        "a" +
        Utf8(c) + "b";
    const std::string back = DecodeFileText(EncodeGb18030(one)).text;
    if (back == one) {
      ++kept;
    } else {
      ASSERT_EQ(back,
                "\xC2\xB7"
                "a" +
                    kFffd + "b")
          << static_cast<int>(c);
    }
  }
  EXPECT_GT(kept, 6000);
}

TEST(EncodingTest, LargeInputsConvertWhole) {
  const std::size_t n = 1 << 20;
  std::string gbk, utf8, four_byte_forms;
  for (std::size_t i = 0; i < n; ++i) {
    gbk += "\xD6\xD0";
    utf8 += "中";
    four_byte_forms += "\xC2\x80";
  }
  EXPECT_EQ(DecodeFileText(gbk).text, utf8);
  EXPECT_EQ(EncodeGb18030(utf8), gbk);
  // Texts larger than their input: 3 bytes from each unit of 2, and 4 bytes
  // of GB18030 from each character of 2.
  EXPECT_EQ(DecodeFileText("\xFF\xFE" + Utf16(std::u16string(n, u'中'), true)).text, utf8);
  const std::string encoded = EncodeGb18030(four_byte_forms);
  EXPECT_EQ(encoded.size(), 4 * n);
  EXPECT_EQ(encoded.substr(4 * n - 4), "\x81\x30\x81\x30");
}

}  // namespace
}  // namespace sumvane
