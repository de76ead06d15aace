#include "stats/sample_size.h"

#include <cmath>

#include "stats/four_digit_text.h"
#include "stats/sample_size_inputs.h"
#include "stats/sample_size_power.h"

namespace sumvane {
namespace {

// The formula's n before rounding, and the parts it is built of.
FormulaSize FormulaSizeOf(const SampleSizeInputs& inputs) {
  FormulaSize size;
  size.uAlpha = AlphaQuantile(inputs);
  size.uBeta = BetaQuantile(inputs);
  const double u = size.uAlpha + size.uBeta;
  switch (inputs.design) {
    case StudyDesign::kTwoMeans: {
      const double standardized = u * inputs.sigma / inputs.delta;
      size.n = (1.0 + 1.0 / inputs.ratio) * standardized * standardized;
      break;
    }
    case StudyDesign::kPairedMeans: {
      const double standardized = u * inputs.sigma / inputs.delta;
      size.n = standardized * standardized;
      break;
    }
    case StudyDesign::kTwoRates: {
      size.pooledRate = (inputs.p1 + inputs.p2) / 2.0;
      const double pooled = size.pooledRate * (1.0 - size.pooledRate);
      const double each = inputs.p1 * (1.0 - inputs.p1) + inputs.p2 * (1.0 - inputs.p2);
      const double top = size.uAlpha * std::sqrt(2.0 * pooled) + size.uBeta * std::sqrt(each);
      const double difference = inputs.p1 - inputs.p2;
      size.n = top * top / (difference * difference);
      break;
    }
    case StudyDesign::kPairedRates: {
      size.discordant = inputs.p1 + inputs.p2;
      size.discordantDifference = inputs.p1 - inputs.p2;
      const double d = size.discordantDifference;
      const double top = size.uAlpha * std::sqrt(size.discordant) +
                         size.uBeta * std::sqrt(size.discordant - d * d);
      size.n = top * top / (d * d);
      break;
    }
    case StudyDesign::kCorrelation: {
      size.fisherZ = 0.5 * std::log((1.0 + inputs.rho) / (1.0 - inputs.rho));
      const double standardized = u / size.fisherZ;
      size.n = standardized * standardized + 3.0;
      break;
    }
  }
  return size;
}

}  // namespace

bool HasTwoGroups(StudyDesign design) {
  return design == StudyDesign::kTwoMeans || design == StudyDesign::kTwoRates;
}

double SmallestSize(const SampleSizeInputs& inputs) {
  switch (inputs.design) {
    case StudyDesign::kTwoMeans:
      return inputs.ratio > 0.0 ? WholeAtLeast(std::fmax(2.0, 2.0 / inputs.ratio)) : 2.0;
    case StudyDesign::kCorrelation:
      return 4.0;
    case StudyDesign::kPairedMeans:
    case StudyDesign::kTwoRates:
    case StudyDesign::kPairedRates:
      break;
  }
  return 2.0;
}

SampleSizePlan PlanSampleSize(const SampleSizeInputs& inputs) {
  SampleSizePlan plan;
  plan.inputs = inputs;
  if (!CheckSampleSizeInputs(inputs).empty()) {
    plan.failure = PlanFailure::kInvalidInputs;
    return plan;
  }
  FormulaSize formula = FormulaSizeOf(inputs);
  if (!std::isfinite(formula.n) || formula.n > kLargestSize ||
      SmallestSize(inputs) > kLargestSize) {
    plan.failure = PlanFailure::kTooLarge;
    return plan;
  }
  // At least one subject, however large the effect.
  formula.n1 = std::fmax(1.0, WholeAtLeast(formula.n));
  // n2 = k·n rounded up on its own; for two rates n2 = n1.
  formula.n2 = inputs.design == StudyDesign::kTwoMeans ? SecondGroupSize(inputs, formula.n, true)
                                                       : SecondGroupSize(inputs, formula.n1, true);
  if (HasTwoGroups(inputs.design)) formula.n2 = std::fmax(1.0, formula.n2);
  plan.formula = formula;
  plan.second = SecondSizeOf(inputs, formula);
  if (inputs.n) {
    PowerAtSize at;
    at.n1 = *inputs.n;
    at.n2 = SecondGroupSize(inputs, at.n1, true);
    at.uBeta = FormulaUBeta(inputs, formula.uAlpha, at.n1, at.n2);
    at.formula = StandardNormalCdf(at.uBeta);
    at.exact = NoncentralTPower(inputs, at.n1, at.n2);
    plan.atN = at;
  }
  return plan;
}

std::string PowerFigureText(double power) {
  const std::string figure = FourDigitText(power);
  if (figure == "1") return "1−β>0.9999";
  if (power < 1e-4) return "1−β<0.0001";
  return "1−β=" + figure;
}

}  // namespace sumvane
