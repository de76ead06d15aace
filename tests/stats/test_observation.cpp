#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "stats/number.h"
#include "stats/observation.h"

namespace sumvane {
namespace {

struct Case {
  const char* text;
  std::optional<Decimal> exact;  // none: the text keeps ReadNumber's double
};

TEST(Observation, ExactFormOfTheTextAndItsDouble) {
  const Case cases[] = {
      {"1.2", Decimal{12, -1}},
      {" - 1 . 5 0 ", Decimal{-15, -1}},
      {"+007.10x", Decimal{71, -1}},
      {"1200", Decimal{12, 2}},
      {"1.5d-2", Decimal{15, -3}},
      {"2E+3", Decimal{2, 3}},
      {"1E", Decimal{1, 0}},
      {"1e+", Decimal{1, 0}},
      {"1.2.3", Decimal{12, -1}},
      {"1000000.1", Decimal{10000001, -1}},
      {".123456789", Decimal{123456789, -9}},
      {"-9999999999", Decimal{-9999999999, 0}},
      {"", Decimal{0, 0}},
      {"abc", Decimal{0, 0}},
      {"-0", Decimal{0, 0}},
      {".000E5", Decimal{0, 0}},
      {"0E999999", Decimal{0, 0}},
      // 18 digits from the first to the last non-zero one fit; 19 do not.
      {"123456789012345678", Decimal{123456789012345678, 0}},
      {"0.1000000000000000010", Decimal{100000000000000001, -18}},
      {"1234567890123456789", std::nullopt},
      {"0.1000000000000000001", std::nullopt},
      {"1E30", Decimal{1, 30}},
      {"100000000000000000000000000000", Decimal{1, 29}},
      {"1E-30", Decimal{1, -30}},
      {"0.0000000000000000000000000000001", std::nullopt},
      {"1E31", std::nullopt},
      {"-9.9E-300", std::nullopt},
      {"1E999", std::nullopt},
      {"&H10", std::nullopt},
      {"&Z", std::nullopt},
      {"12345678901234567E+14", Decimal{12345678901234567, 14}},
      {"9007199254740993", Decimal{9007199254740993, 0}},
      {"123456789012345678E-30", Decimal{123456789012345678, -30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Observation value = ReadObservation(c.text);
    EXPECT_EQ(value.HasExactForm(), c.exact.has_value());
    if (c.exact) {
      EXPECT_EQ(value.ExactForm(), *c.exact);
    }
    EXPECT_EQ(value.Value(), ReadNumber(c.text));
  }
}

}  // namespace
}  // namespace sumvane
