// The points of the power curve, which the pictures library draws.
#include <algorithm>
#include <cmath>

#include "stats/sample_size.h"
#include "stats/sample_size_power.h"

namespace sumvane {
namespace {

// The sizes along the curve: every whole size from the smallest to `upper`,
// or kPowerCurvePoints of them evenly spaced.
std::vector<double> CurveSizes(double smallest, double upper) {
  std::vector<double> sizes;
  const double count = upper - smallest + 1.0;
  if (count <= kPowerCurvePoints) {
    // Counted, not stepped: past 2^53 a step of 1 would not move n.
    for (int i = 0; i < static_cast<int>(count); ++i) sizes.push_back(smallest + i);
    return sizes;
  }
  for (int i = 0; i < kPowerCurvePoints; ++i) {
    sizes.push_back(smallest + (upper - smallest) * i / (kPowerCurvePoints - 1));
  }
  return sizes;
}

}  // namespace

std::optional<PowerCurve> PowerCurveOf(const SampleSizePlan& plan) {
  if (!plan.formula) return std::nullopt;
  const SampleSizeInputs& inputs = plan.inputs;
  const FormulaSize& formula = *plan.formula;
  PowerCurve curve;
  curve.target = inputs.power;
  if (plan.atN) {
    curve.markedN = plan.atN->n1;
    curve.markedPower = plan.atN->exact.value_or(plan.atN->formula);
  } else if (plan.second.n1 && plan.second.power) {
    curve.markedN = *plan.second.n1;
    curve.markedPower = *plan.second.power;
  } else {
    curve.markedN = formula.n1;
    curve.markedPower =
        StandardNormalCdf(FormulaUBeta(inputs, formula.uAlpha, formula.n1, formula.n2));
  }
  const double smallest = SmallestSize(inputs);
  const double answer = plan.second.n1.value_or(formula.n1);
  const double upper =
      std::ceil(std::max({2.0 * answer, 1.25 * inputs.n.value_or(0.0), smallest + 8.0}));
  curve.n = CurveSizes(smallest, upper);
  bool exact = plan.second.method == SecondMethod::kNoncentralT;
  for (const double n1 : curve.n) {
    const double n2 = SecondGroupSize(inputs, n1, false);
    curve.formula.push_back(StandardNormalCdf(FormulaUBeta(inputs, formula.uAlpha, n1, n2)));
    if (!exact) continue;
    const std::optional<double> power = NoncentralTPower(inputs, n1, n2);
    if (power) {
      curve.exact.push_back(*power);
    } else {
      exact = false;
      curve.exact.clear();
    }
  }
  return curve;
}

}  // namespace sumvane
