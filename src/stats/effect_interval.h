// What the 95 % intervals of the effect measures share: the normal quantile
// the asymptotic ones reach out to, and the interval of a ratio, which the
// data may leave without an upper limit.
#pragma once

#include <optional>

namespace sumvane {

// u = 1.959963984540054…, the standard normal's 97.5th percentile at full
// precision; the report writes it 1.96.
double NormalQuantile975();

// The interval of an odds ratio found by an exact method. Its lower limit is
// 0 when the data allow every ratio down to 0; when they allow every ratio
// however large, the interval runs to infinity, which is no figure: upper is
// then empty and upperInfinite says so.
struct RatioInterval {
  double lower = 0.0;
  std::optional<double> upper;
  bool upperInfinite = false;
};

}  // namespace sumvane
