// The two-sample t-test of a difference of means: each group's mean, standard
// deviation and size, typed into the panel or formed from the list, give the
// degrees of freedom and t with the pooled variance. Beside them stand the
// variance ratio test, Welch's t′ where the variances differ, and the interval
// of the difference of means.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "stats/analysis_result.h"
#include "stats/assumption_checks.h"
#include "stats/observation.h"
#include "stats/panel_figure.h"
#include "stats/report_figures.h"
#include "stats/standardized_effects.h"

namespace sumvane {

// Every box of the panel holds at most this many characters.
inline constexpr int kTwoSampleBoxWidth = 6;

struct GroupInputs {
  PanelFigure mean{}, sd{}, n{};
  // The list's values of the group, which the checks of normality and the
  // rank-sum test need; typed figures carry none.
  std::vector<double> values{};
};

// A group's size, mean and standard deviation (divisor n - 1), each rounded
// once from the exact sums of its values (moments.h), and the values; the
// mean is not formed for no value, the standard deviation for fewer than two.
GroupInputs SummariseGroup(std::span<const Observation> values);

struct TwoSampleResult : AnalysisResult {
  std::array<GroupInputs, 2> groups;
  // N1 + N2 - 2, when both sizes are at least 1 and it is at least 1.
  std::optional<double> degrees;
  std::optional<double> pooledVariance;
  std::optional<double> standardError;
  // |X1 - X2| / SE, when the degrees exceed 1 and SE is above 0.
  std::optional<double> t;
  // The variance ratio test; Welch's t′, which answers in place of t when that
  // test finds the variances unequal at α; the 95 % interval of μ1 - μ2, by
  // Welch's standard error when t′ answers.
  std::optional<VarianceRatio> varianceRatio;
  bool unequalVariances = false;
  std::optional<WelchTest> welch;
  bool welchAnswers = false;
  std::optional<Interval> interval;
  // Normality of each group, Levene's test and the rank-sum test; only when
  // both groups hold the list's values.
  std::optional<TwoSampleChecks> checks;
  // How large the difference is: the difference of means with both its
  // intervals, Cohen's d and Hedges' g; formed once anything is entered.
  std::optional<TwoSampleEffects> effects;

  struct Shown {
    std::array<std::string, 2> mean, sd, n;
    std::string degrees, t;
  } shown;
};

TwoSampleResult AnalyseTwoSample(const std::array<GroupInputs, 2>& groups, Alpha alpha);

}  // namespace sumvane
