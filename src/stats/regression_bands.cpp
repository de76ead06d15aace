#include "stats/regression_bands.h"

namespace sumvane {

std::vector<BandPoint> RegressionBands(const RegressionInference& inference, double x0, double x1,
                                       int count) {
  std::vector<BandPoint> bands;
  if (!inference.residualSd || count < 2) return bands;
  bands.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double x = x0 + (x1 - x0) * i / (count - 1);
    const RegressionPrediction at = PredictAt(inference, x);
    if (!at.fitted || !at.meanInterval || !at.predictionInterval) return {};
    bands.push_back({x, *at.fitted, at.meanInterval->lower, at.meanInterval->upper,
                     at.predictionInterval->lower, at.predictionInterval->upper});
  }
  return bands;
}

}  // namespace sumvane
