// The parts of a report that check a test's assumptions and work the rank
// test the textbook turns to when they fail: the section 前提条件 with
// Shapiro–Wilk's W and P, the advice in one sentence per check, and the
// signed-rank test and Spearman's rank correlation worked through.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "report/html.h"
#include "stats/answer_text.h"
#include "stats/normality.h"
#include "stats/rank_tests.h"

namespace sumvane::report {

// "前提条件", the section right after the data.
void BeginChecks(html::Page& page);
// A heading inside a step: "效应大小及其可信区间", the rank test's name.
void Subheading(html::Page& page, std::string_view markup);

// What the normality check found at α = 0.05.
enum class Normality { kHolds, kFails, kNotTested };

// Shapiro–Wilk of `what` (差值, 残差): W and P, or why the test was not made
// (fewer than 3 values, more than 5000, no spread).
Normality WriteNormality(html::Page& page, std::string_view what, const ShapiroWilkTest& test);
// Summary figures typed into the panel carry no values to check.
void WriteNeedsRawData(html::Page& page, std::string_view what);

// One sentence: which result to read. `test` is the designed test ("配对t检验"),
// `rankTest` the rank test worked below it.
void WriteAdvice(html::Page& page, Normality normality, std::string_view what, int n,
                 std::string_view test, std::string_view rankTest);

// The signed-rank test of the pair differences, given in input order with the
// test's signed ranks, as the textbook works it.
void WriteSignedRank(html::Page& page, const SignedRankTest& test,
                     std::span<const double> differences, Alpha alpha);
// Spearman's rank correlation.
void WriteSpearman(html::Page& page, const SpearmanTest& test, Alpha alpha);

}  // namespace sumvane::report
