// The exact odds ratio of a fourfold table of whole counts, as R's
// fisher.test(matrix(c(a, c, b, d), 2)) gives $estimate and $conf.int. Given
// the margins, a follows Fisher's noncentral hypergeometric distribution, whose
// parameter is the odds ratio ψ. The estimate is the conditional maximum-
// likelihood ψ, under which the mean of a is the observed a; the lower limit
// is the ψ under which P(X >= a) = 0.025, the upper the ψ under which
// P(X <= a) = 0.025. R finds these roots with uniroot's default tolerance and
// so gives them to about five digits; here they are found to full precision.
#pragma once

#include <optional>

#include "stats/effect_interval.h"
#include "stats/exact_tests.h"

namespace sumvane {

enum class ExactOddsRatioGap {
  kNone,
  // A negative count, or a total above kMaxExactTotal.
  kNotCounts,
  // The margins allow no table but the observed one (an empty row or column),
  // so they tell nothing of ψ; R gives 0 and (0, Inf) here.
  kSingleTable,
  // A root was not found; no table the list allows is known to end here.
  kNoRoot,
};

struct ExactOddsRatio {
  ExactOddsRatioGap gap = ExactOddsRatioGap::kNone;
  // 0 when a is the smallest count the margins allow (a zero cell in a or d);
  // empty, with estimateInfinite, when a is the largest (a zero cell in b or
  // c): the estimate is then infinite, which is no figure.
  std::optional<double> estimate;
  bool estimateInfinite = false;
  // Its lower limit is 0 when a is the smallest count the margins allow; it
  // has no upper limit when a is the largest.
  RatioInterval interval;
};

ExactOddsRatio ExactOddsRatioOf(const FourfoldCounts& counts);

}  // namespace sumvane
