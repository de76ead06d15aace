// P values against R 4.2.2 (pt, pchisq, fisher.test, binom.test, dhyper); the
// extreme Fisher tables were also summed exactly with Python's fractions.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "stats/exact_tests.h"
#include "stats/p_values.h"

namespace sumvane {
namespace {

constexpr double kRelative = 1e-10;

void ExpectP(const std::optional<double>& p, double expected) {
  ASSERT_TRUE(p.has_value());
  EXPECT_GE(*p, 0.0);
  EXPECT_LE(*p, 1.0);
  EXPECT_NEAR(*p, expected, kRelative * expected);
}

TEST(PValues, StudentTTwoSided) {
  struct Case {
    double t, df, p;
  };
  const Case cases[] = {
      {2.116, 20, 0.047083976919517677},   {0.5, 3, 0.65144796484815104},
      {-3.7, 7.5, 0.0067716875980433772},  {50, 20, 1.7533380449242327e-22},
      {1e-8, 1, 0.99999999363380221},      {0, 10, 1},
      {12.3, 1e6, 9.1100721395499457e-35}, {2.0, 0.3, 0.56426969896078283},
      {-40, 2, 0.0006244146721847406},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "t " << c.t << " df " << c.df);
    ExpectP(TwoSidedTP(c.t, c.df), c.p);
  }
}

TEST(PValues, ChiSquareUpperTail) {
  struct Case {
    double x, df, p;
  };
  const Case cases[] = {
      {4.6929, 1, 0.030287488734844142}, {41.025, 1, 1.5029438565604302e-10},
      {200, 1, 2.0884875837625449e-45},  {0, 1, 1},
      {3.84, 1, 0.050043521248705224},   {15.99, 10, 0.099919019979990892},
      {0.001, 1, 0.97477287936996038},   {1500, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "x " << c.x << " df " << c.df);
    ExpectP(UpperChiSquareP(c.x, c.df), c.p);
  }
}

TEST(PValues, NoValueWithoutDegreesOrAFiniteStatistic) {
  const double inf = INFINITY, nan = NAN;
  for (double df : {0.0, -1.0, inf, nan}) {
    EXPECT_FALSE(TwoSidedTP(1.0, df)) << df;
    EXPECT_FALSE(UpperChiSquareP(1.0, df)) << df;
  }
  for (double statistic : {inf, -inf, nan}) {
    EXPECT_FALSE(TwoSidedTP(statistic, 5.0)) << statistic;
    EXPECT_FALSE(UpperChiSquareP(statistic, 1.0)) << statistic;
    EXPECT_FALSE(TwoSidedNormalP(statistic)) << statistic;
  }
}

TEST(ExactTests, FisherTwoSidedP) {
  struct Case {
    FourfoldCounts counts;
    double p;
  };
  const Case cases[] = {
      {{12, 5, 4, 9}, 0.063358379289887329},
      {{0, 5, 7, 3}, 0.02564102564102563},
      {{1, 0, 0, 0}, 1},
      {{0, 0, 0, 0}, 1},
      {{0, 0, 3, 4}, 1},
      {{3, 7, 8, 2}, 0.069778518694927336},
      {{5, 5, 5, 5}, 1},
      {{1, 9, 9, 1}, 0.0010933339106713722},
      {{40, 10, 8, 42}, 1.2389615833822704e-10},
      {{1, 30, 25, 2}, 4.9245246512898274e-13},
      // Factorials and probabilities far beyond the double range.
      {{100, 0, 0, 100}, 2.2087606931994895e-59},
      {{500, 0, 0, 500}, 7.39950799562829e-300},
      {{8000, 8383, 8192, 8192}, 0.034820881784628617},
      {{8400, 7983, 7792, 8592}, 1.8332065254164213e-11},
      {{30000, 2000, 700, 67}, 0.0067646770010440366},
      // The true P is below the smallest double.
      {{0, 16383, 16384, 0}, 0},
  };
  for (const Case& c : cases) {
    const FourfoldCounts& t = c.counts;
    SCOPED_TRACE(testing::Message() << t.a << " " << t.b << " " << t.c << " " << t.d);
    ExpectP(FisherExactP(t), c.p);
  }
}

TEST(ExactTests, FisherSupportIsTheHypergeometricDistribution) {
  struct Case {
    FourfoldCounts counts;
    int lowestA;
    std::size_t size;
    std::string counted;  // '1' for each table summed into P, as R decides it
    std::vector<std::pair<int, double>> probes;  // a and dhyper there
  };
  const Case cases[] = {
      {{12, 5, 4, 9},
       3,
       14,
       "11110000011111",
       {{7, 0.095620026244187736}, {16, 1.1690061402047519e-07}}},
      {{1, 9, 9, 1}, 0, 11, "11000000011", {{5, 0.34371820130334069}, {0, 5.4125441122345148e-06}}},
      {{8000, 8383, 8192, 8192},
       0,
       16193,
       "",
       {{8000, 0.00093973842340094437}, {8096, 0.0088158657966239257}, {0, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.counts.a << " " << c.counts.b);
    const std::optional<ExactTestSupport> support = FisherExactSupport(c.counts);
    ASSERT_TRUE(support.has_value());
    EXPECT_EQ(support->lowestA, c.lowestA);
    EXPECT_EQ(support->observedA, c.counts.a);
    ASSERT_EQ(support->probabilities.size(), c.size);
    ASSERT_EQ(support->counted.size(), c.size);
    if (!c.counted.empty()) {
      std::string counted;
      for (bool flag : support->counted) counted += flag ? '1' : '0';
      EXPECT_EQ(counted, c.counted);
    }
    for (const auto& [a, probability] : c.probes) {
      const double probed = support->probabilities[static_cast<std::size_t>(a - c.lowestA)];
      EXPECT_NEAR(probed, probability, kRelative * probability) << "a " << a;
    }
    const double total =
        std::accumulate(support->probabilities.begin(), support->probabilities.end(), 0.0);
    EXPECT_NEAR(total, 1.0, 1e-12);
    double counted = 0.0;
    for (std::size_t i = 0; i < c.size; ++i) {
      if (support->counted[i]) counted += support->probabilities[i];
    }
    EXPECT_NEAR(counted, support->p, 1e-12);
  }
}

TEST(ExactTests, NoValueForNegativeCountsOrATotalBeyondTheList) {
  const FourfoldCounts refused[] = {
      {-1, 2, 3, 4}, {1, 2, -3, 4}, {32767, 1, 0, 0}, {10000, 10000, 10000, 10000}};
  for (const FourfoldCounts& t : refused) {
    EXPECT_FALSE(FisherExactP(t));
    EXPECT_FALSE(FisherExactSupport(t));
  }
  EXPECT_TRUE(FisherExactP({32767, 0, 0, 0}));
}

TEST(ExactTests, PairedBinomial) {
  struct Case {
    int b, c;
    double p;
  };
  const Case cases[] = {
      {8, 16, 0.15158963203430187},
      {16, 8, 0.15158963203430187},
      {0, 5, 0.0625},
      {5, 5, 1},
      {1, 0, 1},
      {12, 5, 0.14346313476562506},
      {20, 25, 0.55148432980252071},
      {100, 300, 2.5918869069720227e-24},
      {0, 1000, 1.8665272370065119e-301},
      {16000, 16767, 2.3178861546881441e-05},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.b << " " << c.c);
    ExpectP(PairedBinomialP(c.b, c.c), c.p);
  }
  EXPECT_FALSE(PairedBinomialP(0, 0));
  EXPECT_FALSE(PairedBinomialP(-1, 4));
}

}  // namespace
}  // namespace sumvane
