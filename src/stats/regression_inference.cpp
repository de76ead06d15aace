#include "stats/regression_inference.h"

#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <stdexcept>

#include "stats/arithmetic.h"
#include "stats/p_values.h"

namespace sumvane {
namespace {

Blank TQuantile975(double degrees) {
  try {
    return Finite(
        boost::math::quantile(boost::math::students_t_distribution<double>(degrees), 0.975));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<Interval> Around(const Blank& centre, const Blank& standardError,
                               const Blank& quantile) {
  const Blank reach = Multiply(standardError, quantile);
  const Blank lower = Subtract(centre, reach);
  const Blank upper = Add(centre, reach);
  if (!lower || !upper) return std::nullopt;
  return Interval{*lower, *upper};
}

void FillAnova(RegressionInference& inference, const PairMoments& moments) {
  RegressionAnova& anova = inference.anova;
  anova.regressionSquares = moments.regressionSquares;
  anova.residualSquares = moments.residualSquares;
  anova.totalSquares = moments.lyy;
  anova.totalDegrees = inference.n - 1.0;
  anova.residualDegrees = inference.n - 2.0;
  anova.regressionMeanSquare = anova.regressionSquares;
  if (inference.n < 3.0) return;
  anova.residualMeanSquare = Divide(anova.residualSquares, anova.residualDegrees);
  anova.f = Divide(anova.regressionMeanSquare, anova.residualMeanSquare);
  if (anova.f) anova.p = TwoSidedTP(std::sqrt(*anova.f), *anova.residualDegrees);
}

}  // namespace

RegressionInference InferRegression(const PairMoments& moments) {
  RegressionInference inference;
  inference.n = static_cast<double>(moments.n);
  inference.meanX = moments.meanX;
  inference.meanY = moments.meanY;
  inference.lxx = moments.lxx;
  if (moments.n < 2) {
    inference.gap = RegressionGap::kTooFewPairs;
    return inference;
  }
  if (!moments.line.slope || !moments.residualSquares) {
    inference.gap = RegressionGap::kAllXEqual;
    return inference;
  }
  inference.slope = moments.line.slope;
  inference.intercept = moments.line.intercept;
  inference.rSquared = moments.rSquared;
  FillAnova(inference, moments);
  if (moments.n < 3) {
    inference.gap = RegressionGap::kTooFewPairs;
    return inference;
  }
  const double degrees = inference.n - 2.0;
  inference.residualSd = SquareRoot(Divide(moments.residualSquares, degrees));
  inference.slopeSe = Divide(inference.residualSd, SquareRoot(moments.lxx));
  inference.interceptSe =
      Multiply(inference.residualSd,
               SquareRoot(Add(1.0 / inference.n, Divide(Square(moments.meanX), moments.lxx))));
  inference.slopeT = Divide(inference.slope, inference.slopeSe);
  inference.tQuantile = TQuantile975(degrees);
  inference.slopeInterval = Around(inference.slope, inference.slopeSe, inference.tQuantile);
  inference.interceptInterval =
      Around(inference.intercept, inference.interceptSe, inference.tQuantile);
  if (!moments.rSquared) {
    inference.gap = RegressionGap::kAllYEqual;
  } else if (*moments.residualSquares == 0.0) {
    inference.gap = RegressionGap::kPerfectFit;
  }
  return inference;
}

RegressionPrediction PredictAt(const RegressionInference& inference, double x0) {
  RegressionPrediction prediction;
  if (!std::isfinite(x0)) {
    prediction.gap = RegressionGap::kInvalidX;
    return prediction;
  }
  prediction.gap = inference.gap;
  const Blank away = Subtract(x0, inference.meanX);
  prediction.fitted = Add(inference.meanY, Multiply(inference.slope, away));
  if (!inference.residualSd) return prediction;
  const Blank spread = Add(1.0 / inference.n, Divide(Square(away), inference.lxx));
  prediction.meanSe = Multiply(inference.residualSd, SquareRoot(spread));
  prediction.predictionSe = Multiply(inference.residualSd, SquareRoot(Add(1.0, spread)));
  prediction.meanInterval = Around(prediction.fitted, prediction.meanSe, inference.tQuantile);
  prediction.predictionInterval =
      Around(prediction.fitted, prediction.predictionSe, inference.tQuantile);
  return prediction;
}

}  // namespace sumvane
