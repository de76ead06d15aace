// Figures a careful teacher adds to a worked report beside the panel's own:
// the variance ratio, Welch's t', and 95 % confidence intervals. Each is
// computed from summary figures alone and is empty where it cannot be formed;
// no field is ever NaN or infinite.
#pragma once

#include <optional>

namespace sumvane {

// One group's summary: mean, standard deviation (divisor n - 1) and size.
struct GroupStatistics {
  double mean = 0.0;
  double sd = 0.0;
  double n = 0.0;
};

// F = the larger variance over the smaller, the degrees of freedom of the
// group on top first, and P two-sided as R's var.test gives it. Needs both
// sizes above 1, standard deviations not negative and the smaller above 0.
struct VarianceRatio {
  double f = 0.0;
  double numeratorDf = 0.0;
  double denominatorDf = 0.0;
  double p = 1.0;
};
std::optional<VarianceRatio> VarianceRatioTest(double sd1, double n1, double sd2, double n2);

// Welch's t' = (mean1 - mean2) / sqrt(s1^2/n1 + s2^2/n2) with its sign, the
// Welch-Satterthwaite ν' and P two-sided, as t.test(var.equal = FALSE). Needs
// both sizes above 1 and a standard error above 0.
struct WelchTest {
  double t = 0.0;
  double df = 0.0;
  double p = 1.0;
};
std::optional<WelchTest> WelchTTest(const GroupStatistics& first, const GroupStatistics& second);

struct Interval {
  double lower = 0.0;
  double upper = 0.0;
};

// The 95 % interval of mean1 - mean2 from the pooled variance, as
// t.test(var.equal = TRUE). Needs sizes of at least 1, N1 + N2 - 2 of at
// least 1 and a standard error above 0.
std::optional<Interval> PooledDifferenceInterval(const GroupStatistics& first,
                                                 const GroupStatistics& second);

// The 95 % interval of mean1 - mean2 with Welch's standard error and ν', as
// t.test(var.equal = FALSE). Needs what WelchTTest needs.
std::optional<Interval> WelchDifferenceInterval(const GroupStatistics& first,
                                                const GroupStatistics& second);

// The 95 % interval of the mean pair difference d from its standard deviation
// and the number of pairs, as t.test(paired = TRUE). Needs n > 1 and sd > 0.
std::optional<Interval> PairedDifferenceInterval(double meanDifference, double sdDifference,
                                                 double n);

// The 95 % interval of ρ by Fisher's z, as cor.test's conf.int. Needs n > 3
// and |r| < 1.
std::optional<Interval> CorrelationInterval(double r, double n);

}  // namespace sumvane
