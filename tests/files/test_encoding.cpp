#include <gtest/gtest.h>

#include <string>
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

TEST(EncodingTest, DecodesFileText) {
  const std::vector<Conversion> cases = {
      {"1 2\r\n", "1 2\r\n"},
      {"\xC2\xB7中", "\xC2\xB7中"},
      {"\xEF\xBB\xBF\xC2\xB7"
       "1",
       "\xC2\xB7"
       "1"},
      {"\xEF\xBB\xBF", ""},
      {"\xA1\xA4"
       "1\r\n\xD6\xD0",
       "\xC2\xB7"
       "1\r\n中"},
      {"\x94\x39\xFC\x36", "😀"},
      {"\xA1\xA4\x80x\xFF", "\xC2\xB7" + kFffd + "x" + kFffd},
      {"\xA1\xA4\xD6", "\xC2\xB7" + kFffd},            // cut off at the end
      {"\xA1\xA4\x81\x30", "\xC2\xB7" + kFffd + "0"},  // four-byte form cut off
  };
  for (const Conversion& c : cases) EXPECT_EQ(DecodeFileText(c.from), c.to) << c.from;
  for (const char* bad :
       {"\xC1\xBF", "\xE0\x9F\xBF", "\xED\xBF\xBF", "\xF4\x90\x80\x80", "ab\xC2"}) {
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
  }
}

// A saved file is never taken for UTF-8, because the marker A1 A4 starts every
// row; so every character comes back, except that a private-use character the
// converter cannot map comes back as one U+FFFD without touching its neighbours.
TEST(EncodingTest, EveryCharacterSurvivesARoundTrip) {
  std::string text = "\xC2\xB7";
  for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
    if (c < 0xD800 || c > 0xF8FF) text += Utf8(c);
  }
  EXPECT_EQ(DecodeFileText(EncodeGb18030(text)), text);

  int kept = 0;
  for (char32_t c = 0xE000; c <= 0xF8FF; ++c) {
    const std::string one =
        "\xC2\xB7"
        "a" +
        Utf8(c) + "b";
    const std::string back = DecodeFileText(EncodeGb18030(one));
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
  std::string gbk, utf8, invalid_replaced, four_byte_forms;
  for (std::size_t i = 0; i < n; ++i) {
    gbk += "\xD6\xD0";
    utf8 += "中";
    invalid_replaced += kFffd;
    four_byte_forms += "\xC2\x80";
  }
  EXPECT_EQ(DecodeFileText(gbk), utf8);
  EXPECT_EQ(EncodeGb18030(utf8), gbk);
  // These two outgrow the first guess of the output size.
  EXPECT_EQ(DecodeFileText(std::string(n, '\xFF')), invalid_replaced);
  const std::string encoded = EncodeGb18030(four_byte_forms);
  EXPECT_EQ(encoded.size(), 4 * n);
  EXPECT_EQ(encoded.substr(4 * n - 4), "\x81\x30\x81\x30");
}

}  // namespace
}  // namespace sumvane
