#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "stats/answers.h"

namespace sumvane {
namespace {

// The hint follows a verdict of P only, for a normality P below 0.05 in
// fewer than 30 values.
TEST(Answers, NormalityHintBelowThirtyValues) {
  struct Case {
    std::optional<double> p, normalityP;
    int n;
    bool hinted;
  };
  const Case cases[] = {
      {0.3, 0.049, 29, true},        {0.3, 0.05, 29, false},         {0.3, 0.01, 30, false},
      {0.3, std::nullopt, 9, false}, {std::nullopt, 0.01, 9, false},
  };
  for (const Case& c : cases) {
    Answer answer = c.p ? AnswerWithP(c.p, Alpha::kFivePercent, Finding::kDifference)
                        : AnswerWhyNot("对子数不足");
    const std::string before = answer.verdict;
    AddNormalityHint(answer, c.normalityP, c.n);
    EXPECT_EQ(answer.verdict, c.hinted ? before + std::string(kNormalityHint) : before)
        << c.n << " " << c.normalityP.value_or(-1);
  }
}

}  // namespace
}  // namespace sumvane
