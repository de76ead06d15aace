// P values of the statistics the panels show, from their distributions. Each
// is a probability in [0, 1], or no value when the inputs cannot give one
// (degrees of freedom not above 0, a statistic that is not finite).
#pragma once

#include <optional>

namespace sumvane {

// P(|T| >= |t|) for Student's t with df degrees of freedom (df real), as R's
// 2 * pt(-abs(t), df). The P of a correlation r is this P of its t for n - 2
// degrees of freedom.
std::optional<double> TwoSidedTP(double t, double df);

// P(X >= x) for chi-square with df degrees of freedom, as R's
// pchisq(x, df, lower.tail = FALSE); 1 for x <= 0.
std::optional<double> UpperChiSquareP(double x, double df);

// t(0.05/2, ν): the t a two-sided 95 % interval reaches out by, as R's
// qt(0.975, df); empty for df not above 0.
std::optional<double> StudentTQuantile975(double df);
// P(|Z| >= |z|) for the standard normal.
std::optional<double> TwoSidedNormalP(double z);

}  // namespace sumvane
