// What the scatter picture draws around the regression line: the 95 %
// confidence band of the line (the interval of the mean of Y at each X) and
// the prediction band (the interval of one Y), computed here so that the
// pictures library computes no statistic.
#pragma once

#include <vector>

#include "stats/regression_inference.h"

namespace sumvane {

struct BandPoint {
  double x = 0.0;
  double fitted = 0.0;
  double meanLower = 0.0, meanUpper = 0.0;
  double oneLower = 0.0, oneUpper = 0.0;
};

// The bands at `count` (at least 2) evenly spaced X from x0 to x1, as
// predict(lm, interval = "confidence" / "prediction") gives them; empty where
// the inference has no residual standard deviation or a limit is no number.
std::vector<BandPoint> RegressionBands(const RegressionInference& inference, double x0, double x1,
                                       int count);

}  // namespace sumvane
