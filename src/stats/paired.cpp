#include "stats/paired.h"

#include <optional>
#include <vector>

#include "stats/arithmetic.h"
#include "stats/number.h"

namespace sumvane {

namespace {

// The differences x - y; none when one of them goes beyond the double range.
std::optional<std::vector<double>> Differences(std::span<const double> x,
                                               std::span<const double> y) {
  std::vector<double> differences;
  differences.reserve(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) {
    const Blank difference = Subtract(x[i], y[i]);
    if (!difference) return std::nullopt;
    differences.push_back(*difference);
  }
  return differences;
}

}  // namespace

std::string PairedStandardError(std::string_view nText, std::string_view sdText) {
  const double n = ReadNumber(nText);
  if (!(n >= 2.0)) return "";
  return NumberText(Divide(ReadNumber(sdText), SquareRoot(n)));
}

std::string PairedT(std::string_view dText, std::string_view seText) {
  return NumberText(Absolute(Divide(ReadNumber(dText), ReadNumber(seText))));
}

PairedSummary SummarisePairs(std::span<const double> x, std::span<const double> y) {
  if (x.size() != y.size()) return {};
  const int n = static_cast<int>(x.size());
  const auto differences = Differences(x, y);
  if (!differences) return {NumberText(n), "", ""};
  const Blank mean = Mean(*differences);
  const Blank sd = SquareRoot(Divide(SquaredDeviations(*differences, mean), n - 1.0));
  return {NumberText(n), NumberText(mean), NumberText(sd)};
}

}  // namespace sumvane
