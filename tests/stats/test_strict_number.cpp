#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stats/number.h"
#include "stats/strict_number.h"

namespace sumvane {
namespace {

TEST(StrictNumberTest, AcceptsOneNumberWithBlanksAround) {
  struct Case {
    std::string text;
    double value;
  };
  const std::vector<Case> cases = {
      {"5", 5.0},
      {"-.5", -0.5},
      {"1E3", 1000.0},
      {" 7 ", 7.0},
      {"\t3\t", 3.0},
      {"5.", 5.0},
      {"+2.5e-3", 0.0025},
      {"-0", 0.0},
      {"007", 7.0},
      {"1.5E+07", 1.5e7},
      {"123456789012", 123456789012.0},
      {"1e-400", 0.0},  // below the double range: zero, as ReadNumber reads it
      {"1.7976931348623157E308", 1.7976931348623157e308},
      {"1" + std::string(308, '0'), 1e308},
  };
  for (const Case& c : cases) {
    const std::optional<double> value = ReadStrictNumber(c.text);
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.value) << c.text;
    EXPECT_EQ(*value, ReadNumber(c.text)) << c.text;
    EXPECT_TRUE(IsStrictNumber(c.text)) << c.text;
  }
}

TEST(StrictNumberTest, RefusesAnythingElse) {
  for (const std::string& text : std::vector<std::string>{"",
                                                          " ",
                                                          "1 2",
                                                          "abc",
                                                          "1,5",
                                                          ".",
                                                          "-",
                                                          "+",
                                                          "1E",
                                                          "1E+",
                                                          "E3",
                                                          "1.2.3",
                                                          "--1",
                                                          "1e3.5",
                                                          "&H10",
                                                          "&O7",
                                                          "1D3",
                                                          "5abc",
                                                          "abc5",
                                                          "1E999",
                                                          "-1E999",
                                                          "1\n",
                                                          "\xEF\xBC\x95" /* ５ */,
                                                          "0x10",
                                                          "1_000",
                                                          "∞",
                                                          "2" + std::string(308, '0')}) {
    EXPECT_FALSE(ReadStrictNumber(text).has_value()) << text;
    EXPECT_FALSE(IsStrictNumber(text)) << text;
  }
}

}  // namespace
}  // namespace sumvane
