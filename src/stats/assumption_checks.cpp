#include "stats/assumption_checks.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "stats/powers_of_ten.h"

namespace sumvane {
namespace {

// mantissa · 10^shift, or nothing when it leaves 64 bits.
std::optional<std::int64_t> Shifted(std::int64_t mantissa, int shift) {
  if (shift >= static_cast<int>(kPowersOfTen.size())) return std::nullopt;
  std::int64_t result = 0;
  if (__builtin_mul_overflow(mantissa, kPowersOfTen[shift], &result)) return std::nullopt;
  return result;
}

double Difference(const Observation& x, const Observation& y) {
  if (x.HasExactForm() && y.HasExactForm()) {
    const int exponent = std::min(x.Exponent(), y.Exponent());
    const std::optional<std::int64_t> a = Shifted(x.Mantissa(), x.Exponent() - exponent);
    const std::optional<std::int64_t> b = Shifted(y.Mantissa(), y.Exponent() - exponent);
    std::int64_t difference = 0;
    if (a && b && !__builtin_sub_overflow(*a, *b, &difference)) {
      return NearestDouble({difference, exponent});
    }
  }
  return x.Value() - y.Value();
}

}  // namespace

TwoSampleChecks CheckTwoSamples(std::span<const double> group1, std::span<const double> group2) {
  const SortedSample first(group1);
  const SortedSample second(group2);
  TwoSampleChecks checks;
  checks.normality = {ShapiroWilk(first), ShapiroWilk(second)};
  checks.qq = {NormalQqFacts(first), NormalQqFacts(second)};
  checks.levene = BrownForsytheLevene(first, second);
  checks.rankSum = WilcoxonRankSum(first, second);
  return checks;
}

PairedChecks CheckPairs(std::span<const double> differences) {
  const SortedSample sorted(differences);
  return {ShapiroWilk(sorted), NormalQqFacts(sorted), WilcoxonSignedRank(sorted)};
}

CorrelationChecks CheckCorrelation(std::span<const double> x, std::span<const double> y,
                                   const FittedLine& line) {
  CorrelationChecks checks;
  checks.spearman = SpearmanCorrelation(x, y);
  if (line.slope && line.intercept && x.size() == y.size()) {
    const SortedSample residuals(LineResiduals(x, y, *line.intercept, *line.slope));
    checks.residualNormality = ShapiroWilk(residuals);
    checks.residualQq = NormalQqFacts(residuals);
  } else {
    checks.residualNormality.failure = NoFigure::kAllValuesEqual;
    checks.residualQq.failure = NoFigure::kAllValuesEqual;
  }
  return checks;
}

std::vector<double> PairDifferences(std::span<const Observation> x,
                                    std::span<const Observation> y) {
  std::vector<double> differences;
  if (x.size() != y.size()) return differences;
  differences.reserve(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) differences.push_back(Difference(x[i], y[i]));
  return differences;
}

std::vector<double> LineResiduals(std::span<const double> x, std::span<const double> y,
                                  double intercept, double slope) {
  std::vector<double> residuals;
  if (x.size() != y.size()) return residuals;
  residuals.reserve(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) residuals.push_back(y[i] - (intercept + slope * x[i]));
  return residuals;
}

}  // namespace sumvane
