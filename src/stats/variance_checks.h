// The check of equal variances beside the F test (report_figures.h): Levene's
// test in the Brown–Forsythe form, the one-way analysis of variance of each
// value's distance from its group's median, as R's
// anova(lm(abs(x - ave(x, g, FUN = median)) ~ g)). It stands up to skewed
// data, where the F test of the variances does not.
#pragma once

#include <optional>
#include <span>

#include "stats/sorted_sample.h"

namespace sumvane {

struct LeveneTest {
  // kValueNotFinite, or kTooFewValues (a group without values, or fewer than
  // three in all): nothing is formed. kAllValuesEqual (the distances from
  // the median are equal within each group, to rounding, so F has no
  // denominator): the medians and mean distances are formed, F, ν and P are
  // not.
  NoFigure failure = NoFigure::kNone;
  std::optional<double> median1;
  std::optional<double> median2;
  // The mean |x - median| of each group.
  std::optional<double> meanDistance1;
  std::optional<double> meanDistance2;
  // F on ν1 = 1 and ν2 = N - 2 degrees of freedom, P = P(F(ν1, ν2) ≥ F).
  std::optional<double> f;
  std::optional<double> df1;
  std::optional<double> df2;
  std::optional<double> p;
};

LeveneTest BrownForsytheLevene(const SortedSample& group1, const SortedSample& group2);
LeveneTest BrownForsytheLevene(std::span<const double> group1, std::span<const double> group2);

}  // namespace sumvane
