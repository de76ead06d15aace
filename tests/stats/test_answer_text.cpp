#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "stats/answer_text.h"
#include "stats/number.h"

namespace sumvane {
namespace {

// P values from R where named: 2 * pt(-|t|, df), fisher.test, t.test.
TEST(AnswerText, PRoundedHalfUpToFourDecimals) {
  struct Case {
    std::optional<double> p;
    const char* text;
  };
  const Case cases[] = {
      {0.07918671, "P=0.0792"},            // t.test(extra ~ group, sleep, var.equal = TRUE)
      {0.063358379289887329, "P=0.0634"},  // fisher.test: 12, 5 / 4, 9
      {0.04708397691951768, "P=0.0471"},   // t 2.116, 20 df
      {0.12345, "P=0.1235"},               // a half goes up
      {0.00015, "P=0.0002"},
      {0.00005, "P=0.0001"},
      {0.00004999, "P<0.0001"},
      {1.8332065254164213e-11, "P<0.0001"},
      {0.0, "P<0.0001"},
      {0.99996, "P=1.0000"},
      {1.0, "P=1.0000"},
      // Rounded onto a significance level, P shows which side of it it lies.
      {0.04996, "P=0.04996"},
      {0.049996, "P=0.049996"},
      {0.0499996, "P=0.0499996"},
      {0.050004, "P=0.050004"},
      {0.00996, "P=0.00996"},
      {0.010049, "P=0.01005"},
      // At the level itself, as far as 15 digits tell, it stays at four.
      {0.05, "P=0.0500"},
      {std::nextafter(0.05, 0.0), "P=0.0500"},
      {0.01, "P=0.0100"},
      {std::nullopt, ""},
      {NAN, ""},
      {1.5, ""},
      {-0.1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(PText(c.p), c.text);
  }
}

TEST(AnswerText, PNamesTheTestItComesFrom) {
  EXPECT_EQ(PText(0.1653951972831, PSource::kWelch), "t′检验P=0.1654");
  EXPECT_EQ(PText(0.04641658, PSource::kCorrectedChiSquare), "校正χ²检验P=0.0464");
  EXPECT_EQ(PText(0.063358379289887329, PSource::kExact), "确切概率P=0.0634");
  EXPECT_EQ(PText(1e-9, PSource::kExact), "确切概率P<0.0001");
  EXPECT_EQ(PText(std::nullopt, PSource::kExact), "");
}

// Whatever P shows, the verdict says the same: a P shown below α is
// significant, one shown at or above it is not.
TEST(AnswerText, VerdictAgreesWithThePShown) {
  for (const Alpha alpha : {Alpha::kFivePercent, Alpha::kOnePercent}) {
    const double level = AlphaLevel(alpha);
    for (const double step : {0.0, 1e-17, 1e-15, 1e-12, 1e-9, 4e-7, 4e-6, 4e-5, 5e-5, 6e-5}) {
      for (double p : {level - step, level + step}) {
        for (int ulps = -2; ulps <= 2; ++ulps, p = std::nextafter(p, 1.0)) {
          const std::string text = PText(p);
          SCOPED_TRACE(NumberText(p) + " " + text);
          ASSERT_TRUE(text.starts_with("P="));
          EXPECT_EQ(IsSignificant(p, alpha), ReadNumber(text.substr(2)) < level);
        }
      }
    }
  }
}

TEST(AnswerText, VerdictAtTheChosenAlpha) {
  struct Case {
    std::optional<double> p;
    Alpha alpha;
    Finding finding;
    const char* text;
  };
  const double justBelowFivePercent = std::nextafter(0.05, 0.0);
  const Case cases[] = {
      {0.0470, Alpha::kFivePercent, Finding::kDifference, "按α=0.05水准，差异有统计学意义"},
      {0.0470, Alpha::kOnePercent, Finding::kDifference, "按α=0.01水准，差异无统计学意义"},
      {0.0099, Alpha::kOnePercent, Finding::kCorrelation, "按α=0.01水准，相关有统计学意义"},
      {0.0633, Alpha::kFivePercent, Finding::kCorrelation, "按α=0.05水准，相关无统计学意义"},
      {0.05, Alpha::kFivePercent, Finding::kDifference, "按α=0.05水准，差异无统计学意义"},
      // Shown as P=0.0500, so not below 0.05 either.
      {justBelowFivePercent, Alpha::kFivePercent, Finding::kDifference,
       "按α=0.05水准，差异无统计学意义"},
      {0.0, Alpha::kOnePercent, Finding::kDifference, "按α=0.01水准，差异有统计学意义"},
      {std::nullopt, Alpha::kFivePercent, Finding::kDifference, ""},
      {NAN, Alpha::kFivePercent, Finding::kDifference, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(VerdictText(c.p, c.alpha, c.finding), c.text);
  }
  EXPECT_EQ(AlphaText(Alpha::kFivePercent), "α=0.05");
  EXPECT_EQ(AlphaText(Alpha::kOnePercent), "α=0.01");
}

}  // namespace
}  // namespace sumvane
