#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stats/utf8.h"

namespace sumvane {
namespace {

TEST(Utf8Test, SequenceLengthOfWellFormedAndBrokenSequences) {
  struct Case {
    std::string bytes;
    std::size_t length;  // of the well-formed sequence at the start, 0 for none
  };
  const std::vector<Case> cases = {
      {"a", 1},
      {std::string(1, '\0'), 1},
      {"\xC2\xB7x", 2},         // the row marker
      {"中", 3},                // E4 B8 AD
      {"\xF0\x9F\x98\x80", 4},  // U+1F600
      {"\xF4\x8F\xBF\xBF", 4},  // U+10FFFF
      {"\xB7", 0},              // a continuation byte alone
      {"\xC0\xAF", 0},          // overlong "/"
      {"\xC1\xBF", 0},          // overlong
      {"\xE0\x9F\xBF", 0},      // overlong three-byte form
      {"\xF0\x8F\xBF\xBF", 0},  // overlong four-byte form
      {"\xED\xA0\x80", 0},      // a surrogate
      {"\xED\x9F\xBF", 3},      // U+D7FF, just below the surrogates
      {"\xF4\x90\x80\x80", 0},  // beyond U+10FFFF
      {"\xF5\x80\x80\x80", 0},
      {"\xE4\xB8", 0},  // cut off
      {"\xE4"
       "a"
       "\xAD",
       0},  // interrupted
      {"\xFF", 0},
      {"", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(utf8::SequenceLength(c.bytes), c.length) << testing::PrintToString(c.bytes);
  }
}

TEST(Utf8Test, LeadsContinuationsAndCodePoints) {
  EXPECT_EQ(utf8::LeadLength('a'), 1u);
  EXPECT_EQ(utf8::LeadLength('\xC2'), 2u);
  EXPECT_EQ(utf8::LeadLength('\xEF'), 3u);
  EXPECT_EQ(utf8::LeadLength('\xF4'), 4u);
  for (const char bad : {'\x80', '\xBF', '\xC0', '\xC1', '\xF5', '\xFF'}) {
    EXPECT_EQ(utf8::LeadLength(bad), 0u) << static_cast<int>(static_cast<unsigned char>(bad));
  }
  EXPECT_TRUE(utf8::IsContinuation('\x80'));
  EXPECT_TRUE(utf8::IsContinuation('\xBF'));
  EXPECT_FALSE(utf8::IsContinuation('\xC0'));
  EXPECT_FALSE(utf8::IsContinuation('\x7F'));

  EXPECT_EQ(utf8::CountCodePoints(""), 0u);
  EXPECT_EQ(utf8::CountCodePoints("\xC2\xB7"
                                  "12"),
            3u);
  EXPECT_EQ(utf8::CountCodePoints("第1组😀"), 4u);
}

}  // namespace
}  // namespace sumvane
