#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "stats/exact_sums.h"
#include "stats/moments.h"
#include "stats/number.h"

namespace sumvane {
namespace {

using Texts = std::vector<std::string>;
using Figure = std::optional<double>;

std::vector<Observation> Read(const Texts& texts) {
  std::vector<Observation> values;
  for (const std::string& text : texts) values.push_back(ReadObservation(text));
  return values;
}

// NIST's NumAcc data: the first value, then the other two alternating, 1001
// values in all (NumAcc1 has only the three).
Texts NumAcc(const std::string& first, const std::string& a, const std::string& b, int pairs) {
  Texts texts{first};
  for (int i = 0; i < pairs; ++i) texts.insert(texts.end(), {a, b});
  return texts;
}

// A fixed pseudo-random sequence; the script that computed the expected
// figures with exact fractions wrote it out again.
class Sequence {
 public:
  explicit Sequence(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next(std::uint64_t range) {
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    return (state_ >> 11) % range;
  }

 private:
  std::uint64_t state_;
};

std::string Printed(const char* format, std::uint64_t a, std::uint64_t b = 0) {
  char text[32];
  std::snprintf(text, sizeof(text), format, static_cast<unsigned long long>(a),
                static_cast<unsigned long long>(b));
  return text;
}

struct GroupCase {
  const char* name;
  Texts texts;
  Figure mean;
  Figure sd;
};

// Certified values (NIST) and correctly rounded exact results (Python's
// fractions) are met exactly; data without exact forms come within 4 ulps.
TEST(Moments, MeanAndSdOfAGroup) {
  Texts twoDecimals;  // up to "1004999.99", 32767 values
  Sequence a(1);
  for (int i = 0; i < 32767; ++i) {
    const std::uint64_t whole = 1000000 + a.Next(5000);
    twoDecimals.push_back(Printed("%llu.%02llu", whole, a.Next(100)));
  }
  Texts mixed;  // ".400392898" beside "7681850169": beyond 127-bit sums
  Sequence b(2);
  for (int i = 0; i < 2000; ++i) {
    mixed.push_back(b.Next(2) == 0 ? Printed(".%09llu", b.Next(1000000000))
                                   : Printed("%llu", 1000000000 + b.Next(9000000000)));
  }
  const GroupCase cases[] = {
      {"NumAcc1", {"10000001", "10000003", "10000002"}, 10000002, 1},
      {"NumAcc2", NumAcc("1.2", "1.1", "1.3", 500), 1.2, 0.1},
      {"NumAcc3", NumAcc("1000000.2", "1000000.1", "1000000.3", 500), 1000000.2, 0.1},
      {"NumAcc4", NumAcc("10000000.2", "10000000.1", "10000000.3", 500), 10000000.2, 0.1},
      {"two decimals", twoDecimals, 1002502.4619696646, 1443.625456171685},
      {"nine decimals", mixed, 2848993095.0142717, 3390866756.5571833},
      {"one value", {"1.5"}, 1.5, std::nullopt},
      {"no value", {}, std::nullopt, std::nullopt},
      // Without exact forms: extended precision, and no figure beyond the range.
      {"&H", {"&H10", "1.5", "2.5"}, 6.666666666666667, 8.098353742170895},
      {"huge", {"1E+300", "3E+300"}, 2e+300, 1.4142135623730952e+300},
      {"apart", {"9.9E-300", "1E+300"}, 5e+299, 7.071067811865476e+299},
      {"subnormal", {"4.9E-324", "1"}, 0.5, 0.7071067811865476},
      {"beyond", {"1.7E+308", "-1.7E+308"}, 0, std::nullopt},
      {"largest", {"1.7E+308", "1.7E+308", "1.7E+308"}, 1.7e308, 0},
      {"infinite", {"1E999", "1"}, std::nullopt, std::nullopt},
  };
  for (const GroupCase& c : cases) {
    SCOPED_TRACE(c.name);
    const MeanAndSd figures = DescribeValues(Read(c.texts));
    for (const auto& [got, expected] : {std::pair{figures.mean, c.mean}, {figures.sd, c.sd}}) {
      ASSERT_EQ(got.has_value(), expected.has_value());
      if (!got) continue;
      if (SumColumn(Read(c.texts))) {
        EXPECT_EQ(*got, *expected);
      } else {
        EXPECT_DOUBLE_EQ(*got, *expected);
      }
    }
  }
}

struct PairCase {
  const char* name;
  Texts x, y;
  Figure meanDifference, sdDifference, r, slope, intercept;
};

TEST(Moments, DifferencesAndLineOfPairs) {
  Texts xs;  // "250364.7" and "751151.682": y near 3x, 32767 pairs
  Texts ys;
  Sequence a(3);
  for (int i = 0; i < 32767; ++i) {
    const std::uint64_t x = 2500000 + a.Next(10000);
    const std::uint64_t y = 300 * x + a.Next(200000);
    xs.push_back(Printed("%llu.%llu", x / 10, x % 10));
    ys.push_back(Printed("%llu.%03llu", y / 1000, y % 1000));
  }
  Texts offsetX;  // 1000000.1 to 1000002.0, and y = 0.5x - 400000 with two decimals
  Texts offsetY;
  for (int i = 1; i <= 20; ++i) {
    offsetX.push_back(Printed("%llu.%llu", 1000000 + i / 10, i % 10));
    offsetY.push_back(Printed("%llu.%02llu", 100000 + i / 20, i % 20 * 5));
  }
  const PairCase cases[] = {
      {"offset line", offsetX, offsetY, 900000.525, 0.2958039891549808, 1, 0.5, -400000},
      {"offset pairs",
       {"1000000.15", "1000000.35", "1000000.05"},
       {"1000000.1", "1000000.2", "1000000.1"},
       0.05,
       0.1,
       0.944911182523068,
       0.35714285714285715,
       642857.2107142857},
      // Both columns come down to lower powers of ten part way through.
      {"lowered on the way",
       {"2", "1.5", "1.25", "-.875"},
       {"10", "0.5", "3.75", ".125"},
       -2.625,
       3.8595120589698038,
       0.6557794821221796,
       2.363562753036437,
       1.3040485829959514},
      // Past 127 bits at the lower power: big integers.
      {"wide", {"999999999999999999", ".5"}, {"1", "2"}, 5e17, 7.071067811865476e17, -1, -1e-18, 2},
      {"random pairs", xs, ys, -501098.1389488205, 579.4165370989027, 0.9977621054875626,
       2.9993693140643907, 258.24773580911057},
      {"all x equal", {"2", "2"}, {"1", "3"}, 0, 1.4142135623730951, {}, {}, {}},
      {"all y equal", {"1", "3"}, {"2", "2"}, 0, 1.4142135623730951, {}, 0, 2},
      {"unequal lengths", {"1", "2"}, {"1"}, {}, {}, {}, {}, {}},
      {"&H",
       {"&H1", "2", "3", "4", "5"},
       {"2", "4", "5", "4", "5"},
       -1,
       1,
       0.7745966692414834,
       0.6,
       2.2},
      {"huge x",
       {"1.7E+308", "-1.7E+308"},
       {"1E+308", "2E+307"},
       -6e+307,
       {},
       1,
       0.23529411764705885,
       6e+307},
      {"huge y", {"1", "2"}, {"1.7E+308", "-1.6E+308"}, -4.999999999999998e+306, {}, -1, {}, {}},
  };
  for (const PairCase& c : cases) {
    SCOPED_TRACE(c.name);
    const MeanAndSd d = DescribeDifferences(Read(c.x), Read(c.y));
    const FittedLine line = FitLine(Read(c.x), Read(c.y));
    const bool exact = SumPairs(Read(c.x), Read(c.y)).has_value();
    const std::pair<Figure, Figure> figures[] = {{d.mean, c.meanDifference},
                                                 {d.sd, c.sdDifference},
                                                 {line.r, c.r},
                                                 {line.slope, c.slope},
                                                 {line.intercept, c.intercept}};
    for (const auto& [got, expected] : figures) {
      ASSERT_EQ(got.has_value(), expected.has_value());
      if (!got) continue;
      if (exact) {
        EXPECT_EQ(*got, *expected);
      } else {
        EXPECT_DOUBLE_EQ(*got, *expected);
      }
    }
  }
}

struct SumsCase {
  Texts texts;
  int exponent;
  const char* sum;
  const char* squares;
};

// The mantissas brought to the lowest power of ten, summed in 127 bits or,
// past that, in a big integer (from Python).
TEST(ExactSums, WholeNumbersAtTheLowestPowerOfTen) {
  const SumsCase cases[] = {
      {{"1.5", "-2.25", "0", "abc"}, -2, "-75", "73125"},
      // The squares of so many 17-digit values pass 127 bits.
      {Texts(20000, "99999999999999999"), 0, "1999999999999999980000",
       "199999999999999996000000000000000020000"},
      {{"999999999999999999", "-999999999999999999", ".5"},
       -1,
       "5",
       "199999999999999999600000000000000000225"},
      {{"1E30", "1E-30"},
       -30,
       "1000000000000000000000000000000000000000000000000000000000001",
       "1000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       "000000000000000000000000000001"},
  };
  for (const SumsCase& c : cases) {
    const auto sums = SumColumn(Read(c.texts));
    ASSERT_TRUE(sums);
    EXPECT_EQ(sums->n, c.texts.size());
    EXPECT_EQ(sums->exponent, c.exponent);
    EXPECT_EQ(sums->sum, BigInt(c.sum));
    EXPECT_EQ(sums->squares, BigInt(c.squares));
  }
  EXPECT_FALSE(SumColumn(Read({"1", "&H1"})));
}

}  // namespace
}  // namespace sumvane
