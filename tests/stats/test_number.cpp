#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "stats/number.h"

namespace sumvane {
namespace {

// An independent reference for "rounded to 15 significant digits": the C
// library's own printing and parsing.
double Rounded15(double v) {
  char text[40];
  std::snprintf(text, sizeof(text), "%.14e", v);
  return std::strtod(text, nullptr);
}

int DecimalExponent(double v) {
  char text[40];
  std::snprintf(text, sizeof(text), "%.14e", v);
  return std::atoi(std::strchr(text, 'e') + 1);
}

bool OnlyFigureCharacters(const std::string& text) {
  return text.find_first_not_of("0123456789.-+E") == std::string::npos;
}

// Finite doubles spread over the whole range: random bit patterns (denormals
// included) and random mantissas at every decimal magnitude.
std::vector<double> SampleDoubles() {
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-300, 300);
  std::vector<double> values;
  while (values.size() < 20000) {
    double v;
    const std::uint64_t bits = random();
    std::memcpy(&v, &bits, sizeof(v));
    if (std::isfinite(v)) values.push_back(v);
    const double sign = (random() & 1) ? -1.0 : 1.0;
    values.push_back(sign * mantissa(random) * std::pow(10.0, exponent(random)));
  }
  return values;
}

struct EdgeRow {
  double value;
  const char* numberText;
  const char* decimal;
  const char* decimalClipped8;
};

TEST(NumberText, EdgeCasesThroughAllThreeForms) {
  const EdgeRow rows[] = {
      {0.0, "0", "0", "0"},
      {-0.0, "0", "0", "0"},
      {0.5, ".5", "0.5", "0.5"},
      {-0.25, "-.25", "-0.25", "-0.25"},
      {12.0, "12", "12", "12"},
      {1.0 / 3, ".333333333333333", "0.333333333333333", "0.333333"},
      {2.0 / 3, ".666666666666667", "0.666666666666667", "0.666666"},
      {7.0 / 3, "2.33333333333333", "2.33333333333333", "2.333333"},
      {0.1 + 0.2, ".3", "0.3", "0.3"},
      {0.0001, ".0001", "0.0001", "0.0001"},
      {0.00001, "1E-05", "1E-05", "1E-05"},
      {-1.5e-7, "-1.5E-07", "-1.5E-07", "-1.5E-07"},
      {1e15, "1E+15", "1E+15", "1E+15"},
      {1e15 - 1, "999999999999999", "999999999999999", "9.99E+14"},
      {1.5e15, "1.5E+15", "1.5E+15", "1.5E+15"},
      {123456789012345678.0, "1.23456789012346E+17", "1.23456789012346E+17", "1.23E+17"},
      {-1234.5678, "-1234.5678", "-1234.5678", "-1234.56"},
      // The exponent belongs to the rounded value: these round up a decade.
      {9.99999999999999999e-5, ".0001", "0.0001", "0.0001"},
      {99999.9999999999999, "100000", "100000", "100000"},
      {9.999999999999999e14, "1E+15", "1E+15", "1E+15"},
      {1e300, "1E+300", "1E+300", "1E+300"},
      {-2.5e-300, "-2.5E-300", "-2.5E-300", "-2E-300"},
  };
  for (const EdgeRow& row : rows) {
    SCOPED_TRACE(row.numberText);
    EXPECT_EQ(NumberText(row.value), row.numberText);
    EXPECT_EQ(FormatDecimal(row.value), row.decimal);
    EXPECT_EQ(ClipText(FormatDecimal(row.value), 8), row.decimalClipped8);
  }
}

TEST(NumberText, FiguresThatCannotBeFormedAreEmpty) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const double v : {nan, inf, -inf}) {
    EXPECT_EQ(NumberText(v), "");
    EXPECT_EQ(FormatDecimal(v), "");
  }
  EXPECT_EQ(NumberText(Blank{}), "");
  EXPECT_EQ(FormatDecimal(Blank{}), "");
  EXPECT_EQ(NumberText(Blank{-0.5}), "-.5");
  EXPECT_EQ(FormatDecimal(Blank{-0.5}), "-0.5");
}

TEST(NumberText, CountsAreTheirDigits) {
  EXPECT_EQ(NumberText(5), "5");
  EXPECT_EQ(NumberText(0), "0");
  EXPECT_EQ(NumberText(-2), "-2");
  EXPECT_EQ(NumberText(32767), "32767");
}

TEST(ReadNumber, TakesTheLongestLeadingNumber) {
  const struct {
    const char* text;
    double value;
  } rows[] = {
      {"", 0},           {"abc", 0},         {" \t\n -12.5e1abc", -125},
      {"--5", 0},        {".", 0},           {"-.", 0},
      {" 1 2", 12},      {"1 . 5", 1.5},     {"- 3 E 2", -300},
      {"+7", 7},         {".5", 0.5},        {"0.5", 0.5},
      {"5.", 5},         {"1.2.3", 1.2},     {"1d2", 100},
      {"1D-2", 0.01},    {"3.5kg", 3.5},     {"1,5", 1},
      {"1E", 1},         {"1E+", 1},         {"2e-x", 2},
      {"-0", 0},         {"1E-05", 1e-5},    {"&H10", 16},
      {"&h1f", 31},      {"&O17", 15},       {"&o8", 0},
      {"&HFFFF", 65535}, {"&HFFFFFFFF", -1}, {"&H100000010", 16},
      {"&H", 0},         {"&X1", 0},         {"-&H10", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ReadNumber(row.text), row.value);
  }
  EXPECT_FALSE(std::signbit(ReadNumber("-0")));
}

TEST(ReadNumber, BeyondTheDoubleRange) {
  EXPECT_EQ(ReadNumber("1E400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadNumber("-1D99999999999999999999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadNumber("1E-400"), 0.0);
  EXPECT_EQ(ReadNumber("-." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(ReadNumber("4.94065645841247E-324"), std::numeric_limits<double>::denorm_min());
  // Texts longer than any short buffer still read every digit.
  EXPECT_EQ(ReadNumber("0." + std::string(100, '0') + "15"), 1.5e-101);
  EXPECT_EQ(ReadNumber("1" + std::string(100, '0') + "E-100"), 1.0);
}

TEST(ClipText, ShortensWithoutChangingMagnitude) {
  const struct {
    const char* text;
    int k;
    const char* clipped;
  } rows[] = {
      {"12", 6, "12"},
      {"1.29099444873581", 6, "1.2909"},
      {".333333333333333", 6, ".33333"},
      {"-12345.6", 6, "-12345"},
      {"123.456", 4, "123."},
      {".000123456", 6, ".00012"},
      {"1234567", 6, "1.2E+6"},
      {"-1234567", 6, "-1E+6"},
      {"1.23456E-05", 6, "1.2E-5"},
      {"-1.5E-07", 6, "-1E-7"},
      {"2.4E-09", 6, "2.4E-9"},
      {"1.23456789012346E-05", 8, "1.234E-5"},
      {"99999999999", 6, "9E+10"},
      {"1000000000", 6, "1E+9"},
      {"1.05E+20", 7, "1E+20"},
      {"1.23456789012346E+17", 5, "1E+17"},
      {"1.23456789012346E+17", 4, ""},
      // A cut that would leave no significant digit switches to exponent form.
      {"-0.0001234", 6, "-1E-4"},
      {"0.0001234", 5, "1E-4"},
      {"-.5", 2, ""},
      {".5", 1, ""},
      {"-0.25", 4, "-0.2"},
      {"0.000000", 3, "0"},
      {"not a figure", 5, "not a"},
      {"1.5E+15x", 4, "1.5E"},
      {"中文字符", 2, "中文"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.text) + " k=" + std::to_string(row.k));
    EXPECT_EQ(ClipText(row.text, row.k), row.clipped);
  }
}

TEST(NumberConversions, RoundTripTo15SignificantDigits) {
  for (const double v : SampleDoubles()) {
    SCOPED_TRACE(v);
    const std::string text = NumberText(v);
    ASSERT_TRUE(OnlyFigureCharacters(text)) << text;
    EXPECT_EQ(ReadNumber(text), Rounded15(v)) << text;
    EXPECT_EQ(ReadNumber(FormatDecimal(v)), Rounded15(v)) << FormatDecimal(v);
  }
}

TEST(ClipText, KeepsSignAndDecimalExponentOfEveryFigure) {
  for (const double v : SampleDoubles()) {
    if (v == 0.0) continue;
    const double shown = Rounded15(v);
    for (const std::string& text : {NumberText(v), FormatDecimal(v)}) {
      for (int k = 1; k <= 10; ++k) {
        const std::string clipped = ClipText(text, k);
        SCOPED_TRACE(text + " k=" + std::to_string(k) + " -> " + clipped);
        ASSERT_LE(clipped.size(), static_cast<std::size_t>(k));
        ASSERT_TRUE(OnlyFigureCharacters(clipped));
        // "-1E-308" is the longest a single-digit mantissa ever needs.
        if (k >= 7) {
          ASSERT_FALSE(clipped.empty());
        }
        if (clipped.empty()) continue;
        const double read = ReadNumber(clipped);
        ASSERT_NE(read, 0.0);
        EXPECT_EQ(std::signbit(read), std::signbit(v));
        EXPECT_EQ(DecimalExponent(read), DecimalExponent(shown));
        EXPECT_LE(std::fabs(read), std::fabs(shown));  // cut, never rounded up
      }
    }
  }
}

}  // namespace
}  // namespace sumvane
