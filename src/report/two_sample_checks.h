// The two-sample t-test's assumptions checked on the list's two groups, and
// the rank-sum test the textbook turns to when they fail.
#pragma once

#include "report/html.h"
#include "report/reports.h"
#include "stats/rank_tests.h"
#include "stats/two_sample.h"

namespace sumvane::report {

// "前提条件": normality of each group with its Q–Q pictures, Levene's test
// and the advice, or why there is nothing to check.
void WriteTwoSampleChecks(html::Page& page, const TwoSampleResult& result,
                          const ReportPictures& pictures);

// The Wilcoxon rank-sum test worked through: ranks, rank sums, T, the exact
// distribution or the normal approximation, P.
void WriteRankSum(html::Page& page, const RankSumTest& test, Alpha alpha);

}  // namespace sumvane::report
