// The power of each design's test at given sizes, under the textbook's
// formula and under the noncentral t, and the search for the smallest whole
// size whose noncentral-t power reaches 1 − β. The plan (sample_size.h) and
// the power curve are made of these.
#pragma once

#include <optional>

#include "stats/sample_size.h"

namespace sumvane {

// x rounded up to a whole number; x itself when it lies within 1e-9 of a
// whole number, so that 0.1 × 30 is 3 and not 4.
double WholeAtLeast(double x);

// u_α/2 (u_α one-sided) and u_β at full precision.
double AlphaQuantile(const SampleSizeInputs& inputs);
double BetaQuantile(const SampleSizeInputs& inputs);

// n2 for n1: k·n1 for two means (rounded up when `whole`), n1 for two rates,
// 0 for one sample.
double SecondGroupSize(const SampleSizeInputs& inputs, double n1, bool whole);

// The formula solved for u_β at the sizes n1, n2 (n1 alone where one sample).
double FormulaUBeta(const SampleSizeInputs& inputs, double uAlpha, double n1, double n2);

double StandardNormalCdf(double x);

// The power of the t-test at n1, n2 under the noncentral t, the tail on the
// effect's side (R's power.t.test, strict = FALSE); means only, empty for the
// other designs and where the degrees of freedom fall below 1.
std::optional<double> NoncentralTPower(const SampleSizeInputs& inputs, double n1, double n2);

// The answer beside the formula's (SecondSize), for a plan whose formula
// answer is `formula`.
SecondSize SecondSizeOf(const SampleSizeInputs& inputs, const FormulaSize& formula);

}  // namespace sumvane
