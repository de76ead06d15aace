#include "stats/answers.h"

#include <utility>

namespace sumvane {

Answer AnswerWithP(std::optional<double> p, Alpha alpha, Finding finding, PSource source) {
  Answer answer;
  answer.p = p;
  answer.source = source;
  answer.pText = PText(p, source);
  answer.verdict = VerdictText(p, alpha, finding);
  return answer;
}

Answer AnswerWhyNot(std::string reason) {
  Answer answer;
  answer.verdict = std::move(reason);
  return answer;
}

void AddNormalityHint(Answer& answer, std::optional<double> normalityP, int n) {
  if (answer.p && normalityP && *normalityP < 0.05 && n < kNormalityHintBelow) {
    answer.verdict += kNormalityHint;
  }
}

}  // namespace sumvane
