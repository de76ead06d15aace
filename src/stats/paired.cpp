#include "stats/paired.h"

#include "stats/arithmetic.h"
#include "stats/moments.h"
#include "stats/number.h"

namespace sumvane {

std::string PairedStandardError(std::string_view nText, std::string_view sdText) {
  const double n = ReadNumber(nText);
  if (!(n >= 2.0)) return "";
  return NumberText(Divide(ReadNumber(sdText), SquareRoot(n)));
}

std::string PairedT(std::string_view dText, std::string_view seText) {
  return NumberText(Absolute(Divide(ReadNumber(dText), ReadNumber(seText))));
}

PairedSummary SummarisePairs(std::span<const Observation> x, std::span<const Observation> y) {
  if (x.size() != y.size()) return {};
  const MeanAndSd figures = DescribeDifferences(x, y);
  return {NumberText(static_cast<int>(x.size())), NumberText(figures.mean), NumberText(figures.sd)};
}

}  // namespace sumvane
