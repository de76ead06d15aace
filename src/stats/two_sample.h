// The two-sample t-test of a difference of means: the summary of each group and
// the live calculation of the panel, which works from the box texts alone.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "stats/observation.h"

namespace sumvane {

// The degrees of freedom N1 + N2 - 2 from the texts of the two size boxes, in
// full; the box that shows it keeps its own first characters. None unless both
// groups have a size of at least 1 and the degrees are at least 1.
std::string TwoSampleDegrees(std::string_view n1Text, std::string_view n2Text);
std::string TwoSampleDegrees(double n1, double n2);

// The figures the t of the panel is formed from, as their boxes hold them.
struct TwoSampleFigures {
  std::string_view mean1{}, mean2{};
  std::string_view sd1{}, sd2{};
  std::string_view n1{}, n2{};
  // As the degrees-of-freedom box holds it, so that a cut text decides too.
  std::string_view degrees{};
};

// t of the difference of means with the pooled variance. Empty when the
// degrees are not above 1 or when the standard error of the difference is 0 or
// cannot be formed.
std::string TwoSampleT(const TwoSampleFigures& figures);

// One group's figures; mean and sd are empty when they cannot be formed (no
// value, or fewer than two values for the sd).
struct GroupSummary {
  std::string n;
  std::string mean;
  std::string sd;
};

// The mean and the sample standard deviation (divisor n - 1), each rounded once
// from the exact sums of the values (moments.h).
GroupSummary SummariseGroup(std::span<const Observation> values);

}  // namespace sumvane
