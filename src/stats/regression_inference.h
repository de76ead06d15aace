// The inference of a straight-line regression of y on x from the pairs'
// moments (moments.h: DescribePairs): r², the standard errors and 95 %
// intervals of the slope b and the intercept a, the residual standard
// deviation S_y·x, the analysis-of-variance table, and at a given X0 the
// fitted Ŷ with the interval of the mean of Y and the prediction interval of
// one Y. The interval of r by Fisher's z is CorrelationInterval
// (report_figures.h).
#pragma once

#include <optional>

#include "stats/moments.h"
#include "stats/report_figures.h"

namespace sumvane {

enum class RegressionGap {
  kNone,
  // Fewer than 3 pairs: with ν = n − 2 < 1 no residual variance exists (and
  // with fewer than 2 no line).
  kTooFewPairs,
  // All x equal (lxx = 0): no line.
  kAllXEqual,
  // All y equal (lyy = 0): no r², and the line fits without residual.
  kAllYEqual,
  // r = ±1: the points lie on the line, S_y·x = 0, so t_b, F and P cannot be
  // formed; the intervals have no width.
  kPerfectFit,
  // X0 is not a finite number.
  kInvalidX,
};

// SS, ν and MS of the regression, the residual and the total; F = MS regression
// / MS residual = t_b², with P = P(F(1, ν) >= F), as anova(lm(y ~ x)).
struct RegressionAnova {
  std::optional<double> regressionSquares;
  std::optional<double> residualSquares;
  std::optional<double> totalSquares;
  double regressionDegrees = 1.0;
  std::optional<double> residualDegrees;
  std::optional<double> totalDegrees;
  std::optional<double> regressionMeanSquare;
  std::optional<double> residualMeanSquare;
  std::optional<double> f;
  std::optional<double> p;
};

struct RegressionInference {
  // The first reason a figure is missing.
  RegressionGap gap = RegressionGap::kNone;
  double n = 0.0;
  std::optional<double> rSquared;
  // b and a as the line has them (FittedLine), so they read the same as in
  // the equation.
  std::optional<double> slope;
  std::optional<double> intercept;
  // S_y·x = √(SS residual / (n − 2)).
  std::optional<double> residualSd;
  // S_b = S_y·x / √lxx and S_a = S_y·x · √(1/n + x̄²/lxx).
  std::optional<double> slopeSe;
  std::optional<double> interceptSe;
  // t_b = b / S_b for ν = n − 2, and t(0.05/2, ν) the intervals reach out by.
  std::optional<double> slopeT;
  std::optional<double> tQuantile;
  std::optional<Interval> slopeInterval;
  std::optional<Interval> interceptInterval;
  RegressionAnova anova;
  // What a prediction needs besides the figures above.
  std::optional<double> meanX;
  std::optional<double> meanY;
  std::optional<double> lxx;
};

RegressionInference InferRegression(const PairMoments& moments);

// At X0: Ŷ = ȳ + b(X0 − x̄); the mean of Y there has the standard error
// S_y·x · √(1/n + (X0 − x̄)²/lxx), one Y the standard error
// S_y·x · √(1 + 1/n + (X0 − x̄)²/lxx); each interval is Ŷ ± t(0.05/2, ν) · SE,
// as predict(lm, interval = "confidence" / "prediction").
struct RegressionPrediction {
  RegressionGap gap = RegressionGap::kNone;
  std::optional<double> fitted;
  std::optional<double> meanSe;
  std::optional<double> predictionSe;
  std::optional<Interval> meanInterval;
  std::optional<Interval> predictionInterval;
};

RegressionPrediction PredictAt(const RegressionInference& inference, double x0);

}  // namespace sumvane
