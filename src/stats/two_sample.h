// The two-sample t-test of a difference of means: the summary of each group and
// the live calculation of the panel, which works from the box texts alone.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace sumvane {

// The degrees of freedom N1 + N2 - 2 from the texts of the two size boxes, in
// full; the box that shows it keeps its own first characters.
std::string TwoSampleDegrees(std::string_view n1Text, std::string_view n2Text);

// t from the six input boxes in panel order X1, X2, S1, S2, N1, N2 and the
// degrees-of-freedom text as the box holds it. Empty when the degrees are not
// above 1 or when the standard error of the difference is 0 or cannot be formed.
std::string TwoSampleT(const std::array<std::string_view, 6>& boxes, std::string_view degreesText);

// One group's figures; mean and sd are empty when they cannot be formed (no
// value, or fewer than two values for the sd).
struct GroupSummary {
  int n;
  std::string mean;
  std::string sd;
};

// The sample standard deviation (divisor n - 1) is formed from the deviations
// about the mean.
GroupSummary SummariseGroup(std::span<const double> values);

}  // namespace sumvane
