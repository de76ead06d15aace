// The section 效应大小及其可信区间 of the paired t-test and of correlation
// and regression: each measure's formula, the user's figures put into it, and
// the result with its 95 % interval and the method's name.
#pragma once

#include "report/html.h"
#include "stats/paired.h"
#include "stats/regression.h"

namespace sumvane::report {

// The mean difference with its interval, and Cohen's d with its interval from
// the noncentral t distribution.
void WritePairedEffects(html::Page& page, const PairedResult& result);

// r² and the interval of ρ; with the list's pairs, b and a with their
// standard errors and intervals, S_y·x, the analysis of variance of the
// regression and, at the X0 asked for, Ŷ with its two intervals.
void WriteCorrelationEffects(html::Page& page, const CorrelationResult& result);

}  // namespace sumvane::report
