// How large the difference of two means is, worked out by hand: the difference
// with its 95 % interval (pooled, and Welch's where t′ answers), and the
// standardized difference, Cohen's d and Hedges' g, with intervals from the
// noncentral t distribution.
#pragma once

#include "report/html.h"
#include "stats/two_sample.h"

namespace sumvane::report {

// Nothing when nothing was entered.
void WriteTwoSampleEffects(html::Page& page, const TwoSampleResult& result);

}  // namespace sumvane::report
