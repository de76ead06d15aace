// The checks of a test's assumptions for one change of the list, each sample
// sorted once and the sorted view handed to every check that needs it:
// normality (Shapiro–Wilk and the Q–Q picture's facts), equal variances
// (Levene), and the rank test the textbook turns to.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "stats/moments.h"
#include "stats/normality.h"
#include "stats/observation.h"
#include "stats/qq_facts.h"
#include "stats/rank_tests.h"
#include "stats/variance_checks.h"

namespace sumvane {

struct TwoSampleChecks {
  std::array<ShapiroWilkTest, 2> normality;
  std::array<QqFacts, 2> qq;
  LeveneTest levene;
  RankSumTest rankSum;
};
TwoSampleChecks CheckTwoSamples(std::span<const double> group1, std::span<const double> group2);

// Of the pair differences (PairDifferences).
struct PairedChecks {
  ShapiroWilkTest normality;
  QqFacts qq;
  SignedRankTest signedRank;
};
PairedChecks CheckPairs(std::span<const double> differences);

// Normality of the residuals y - (intercept + slope·x) of the least-squares
// line (FitLine in moments.h), and Spearman's r_s of x and y. Without a line
// (all x equal) the residuals' checks fail with kAllValuesEqual.
struct CorrelationChecks {
  ShapiroWilkTest residualNormality;
  QqFacts residualQq;
  SpearmanTest spearman;
};
CorrelationChecks CheckCorrelation(std::span<const double> x, std::span<const double> y,
                                   const FittedLine& line);

// The differences x - y, pair by pair, each the nearest double to the exact
// difference of the decimals typed (so that equal differences tie), or the
// difference of the doubles where a value has no exact form; empty when the
// columns differ in length.
std::vector<double> PairDifferences(std::span<const Observation> x, std::span<const Observation> y);

// y - (intercept + slope·x), pair by pair; empty when the columns differ in
// length.
std::vector<double> LineResiduals(std::span<const double> x, std::span<const double> y,
                                  double intercept, double slope);

}  // namespace sumvane
