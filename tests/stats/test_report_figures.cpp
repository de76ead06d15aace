// Report figures against R 4.2.2: var.test, t.test and cor.test on small data
// sets, fed here with the data's means and standard deviations as R prints
// them to 17 digits.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "stats/four_digit_text.h"
#include "stats/report_figures.h"

namespace sumvane {
namespace {

constexpr double kRelative = 1e-10;

void ExpectClose(double actual, double expected) {
  EXPECT_NEAR(actual, expected, kRelative * std::fabs(expected));
}

// x = 5.1 4.8 6.0 5.5 4.9 5.7 6.2 5.0 4.4 5.8,
// y = 4.0 3.6 4.9 5.2 3.1 4.4 3.8 4.7 2.9 4.1 5.6 3.5
const GroupStatistics kX{5.3399999999999999, 0.585377371160405, 10};
const GroupStatistics kY{4.1500000000000004, 0.83502857871615821, 12};
// u = 1.2 3.4, z = 2.0 2.1 2.3
const GroupStatistics kU{2.2999999999999998, 1.5556349186104046, 2};
const GroupStatistics kZ{2.1333333333333333, 0.15275252316519455, 3};

TEST(ReportFigures, VarianceRatio) {
  struct Case {
    GroupStatistics first, second;
    double f, numeratorDf, denominatorDf, p;
  };
  const Case cases[] = {
      // var.test(y, x): y has the larger variance, whichever group comes first.
      {kX, kY, 2.0348425893172979, 11, 9, 0.29573236592860574},
      {kY, kX, 2.0348425893172979, 11, 9, 0.29573236592860574},
      {kU, kZ, 103.71428571428586, 1, 2, 0.019009256880708092},
      // F = 1.21 on 30 and 2 df lies below the median: twice the lower tail.
      {{0, 1.1, 31}, {0, 1, 3}, 1.2100000000000002, 30, 2, 0.89463886656808},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.f);
    const std::optional<VarianceRatio> ratio =
        VarianceRatioTest(c.first.sd, c.first.n, c.second.sd, c.second.n);
    ASSERT_TRUE(ratio.has_value());
    ExpectClose(ratio->f, c.f);
    EXPECT_EQ(ratio->numeratorDf, c.numeratorDf);
    EXPECT_EQ(ratio->denominatorDf, c.denominatorDf);
    ExpectClose(ratio->p, c.p);
  }
  EXPECT_FALSE(VarianceRatioTest(1, 5, 0, 5));
  EXPECT_FALSE(VarianceRatioTest(1, 1, 2, 5));
  EXPECT_FALSE(VarianceRatioTest(-1, 5, 2, 5));
}

TEST(ReportFigures, WelchT) {
  struct Case {
    GroupStatistics first, second;
    double t, df, p;
  };
  const Case cases[] = {
      {kX, kY, 3.9153904597772247, 19.507605563647186, 0.0008915382898252559},
      {kY, kX, -3.9153904597772247, 19.507605563647186, 0.0008915382898252559},
      {kU, kZ, 0.1510305233325441, 1.0128762240760643, 0.90433259912358099},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.t);
    const std::optional<WelchTest> welch = WelchTTest(c.first, c.second);
    ASSERT_TRUE(welch.has_value());
    ExpectClose(welch->t, c.t);
    ExpectClose(welch->df, c.df);
    ExpectClose(welch->p, c.p);
  }
  EXPECT_FALSE(WelchTTest({1, 0, 5}, {2, 0, 5}));
  EXPECT_FALSE(WelchTTest({1, 2, 1}, {2, 3, 5}));
}

TEST(ReportFigures, ConfidenceIntervals) {
  struct Case {
    const char* what;
    std::optional<Interval> interval;
    double lower, upper;
  };
  const Case cases[] = {
      {"pooled x y", PooledDifferenceInterval(kX, kY), 0.53506616174937449, 1.8449338382506244},
      {"pooled u z", PooledDifferenceInterval(kU, kZ), -2.4676323334277472, 2.8009656667610798},
      {"welch x y", WelchDifferenceInterval(kX, kY), 0.55498814986664624, 1.82501185013335276},
      {"welch u z", WelchDifferenceInterval(kU, kZ), -13.440717156025283, 13.774050489358617},
      // t.test(7, c(4, 5, 9), var.equal = TRUE): a group of one adds no variance.
      {"pooled n1 = 1", PooledDifferenceInterval({7, 0, 1}, {6, 2.6457513110645907, 3}),
       -12.144821215456854, 14.144821215456854},
      // t.test(x, y[1:10], paired = TRUE): d = 1.27, Sd = 0.644722..., 10 pairs.
      {"paired", PairedDifferenceInterval(1.27, 0.64472216238211244, 10), 0.80879354870761577,
       1.7312064512923846},
      // cor.test(x, y[1:10]) and cor.test(1:5, c(5, 3, 4, 1, 2)).
      {"rho", CorrelationInterval(0.55879606667824389, 10), -0.10927770303245402,
       0.87911941096603097},
      {"rho negative", CorrelationInterval(-0.79999999999999982, 5), -0.9861961933012714,
       0.27964004196935505},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(c.interval.has_value());
    ExpectClose(c.interval->lower, c.lower);
    ExpectClose(c.interval->upper, c.upper);
  }
  const std::optional<Interval> refused[] = {
      PooledDifferenceInterval({1, 0, 1}, {2, 0, 1}),  // no degrees of freedom
      PooledDifferenceInterval({1, 0, 4}, {2, 0, 5}),  // no spread
      PooledDifferenceInterval({1, NAN, 4}, {2, 1, 5}),
      WelchDifferenceInterval({7, 0, 1}, {6, 2.6457513110645907, 3}),
      PairedDifferenceInterval(1.2, 1.5, 1),
      PairedDifferenceInterval(1.2, 0, 9),
      CorrelationInterval(0.5, 3),
      CorrelationInterval(1.0, 10),
      CorrelationInterval(-1.2, 10),
  };
  for (const std::optional<Interval>& interval : refused) EXPECT_FALSE(interval.has_value());
}

TEST(ReportFigures, FourSignificantDigits) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {1.3965, "1.397"},
      {0.80587, "0.8059"},
      {12.0, "12"},
      {0.00012341, "0.0001234"},
      {-2.5, "-2.5"},
      {9.99951, "10"},
      {123456.0, "123500"},
      {0.0, "0"},
      {-0.0, "0"},
      {2.0348425893172979, "2.035"},
      {1.0125, "1.012"},  // 1.0125 lies just below the half
      {1.0625, "1.062"},
      {0.000012345, "1.234E-5"},
      {1.23456e15, "1.235E+15"},
      {6.1e-7, "6.1E-7"},
      {99995.0, "100000"},
      {INFINITY, ""},
      {NAN, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FourDigitText(c.value), c.text) << c.value;
  EXPECT_EQ(FourDigitText(std::optional<double>()), "");
}

}  // namespace
}  // namespace sumvane
