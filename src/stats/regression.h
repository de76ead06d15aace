// Linear correlation and the regression of y on x, and the t statistic of r.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "stats/observation.h"

namespace sumvane {

struct RegressionResult {
  std::string n;
  std::string r;
  std::string equation;
};

// The pairs (x[i], y[i]), r and the coefficients each rounded once from the
// exact sums of the pairs (moments.h). r is empty when it cannot be formed (no
// pairs, all x equal or all y equal); the equation "Y=a + bX" or "Y=a - bX",
// its coefficients cut to 8 characters, is empty when the slope cannot be
// formed (all x equal).
// All three are empty when the two groups differ in length.
RegressionResult Regress(std::span<const Observation> x, std::span<const Observation> y);

// t of r for n - 2 degrees of freedom, from the texts of the r and n boxes; the
// sign of r is dropped. Empty when it cannot be formed (no r, n = 2, |r| = 1,
// or a negative quantity under the root).
std::string TOfR(std::string_view rText, std::string_view nText);

}  // namespace sumvane
