#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "stats/answer_text.h"

namespace sumvane {
namespace {

TEST(AnswerText, PCutToFourDecimals) {
  struct Case {
    std::optional<double> p;
    const char* text;
    const char* exact;
  };
  const Case cases[] = {
      {0.04708397691951768, "P=0.0470", "确切概率P=0.0470"},  // t 2.116, 20 df (R)
      {0.063358379289887329, "P=0.0633", "确切概率P=0.0633"},
      {0.99999, "P=0.9999", "确切概率P=0.9999"},
      {1.0, "P=1.0000", "确切概率P=1.0000"},
      {0.5, "P=0.5000", "确切概率P=0.5000"},
      {0.0001, "P=0.0001", "确切概率P=0.0001"},
      {0.00009999, "P<0.0001", "确切概率P<0.0001"},
      {1.8332065254164213e-11, "P<0.0001", "确切概率P<0.0001"},
      {0.0, "P<0.0001", "确切概率P<0.0001"},
      // The double nearest 0.047 lies below it; shown figures are read to 15
      // digits, so it is 0.0470, not 0.0469.
      {0.047, "P=0.0470", "确切概率P=0.0470"},
      {std::nullopt, "", ""},
      {NAN, "", ""},
      {1.5, "", ""},
      {-0.1, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(PText(c.p), c.text);
    EXPECT_EQ(ExactPText(c.p), c.exact);
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
  EXPECT_EQ(PText(justBelowFivePercent), "P=0.0500");
  EXPECT_EQ(AlphaText(Alpha::kFivePercent), "α=0.05");
  EXPECT_EQ(AlphaText(Alpha::kOnePercent), "α=0.01");
}

}  // namespace
}  // namespace sumvane
