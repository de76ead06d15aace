#include "stats/two_sample.h"

#include "stats/arithmetic.h"
#include "stats/number.h"

namespace sumvane {

namespace {

enum Box { kX1, kX2, kS1, kS2, kN1, kN2 };

}  // namespace

std::string TwoSampleDegrees(std::string_view n1Text, std::string_view n2Text) {
  return NumberText(Subtract(Add(ReadNumber(n1Text), ReadNumber(n2Text)), 2.0));
}

std::string TwoSampleT(const std::array<std::string_view, 6>& boxes, std::string_view degreesText) {
  // The test reads the degrees box as it stands, so a cut text decides too.
  if (!(ReadNumber(degreesText) > 1.0)) return "";

  const double n1 = ReadNumber(boxes[kN1]);
  const double n2 = ReadNumber(boxes[kN2]);
  const Blank pooledVariance = Divide(Add(Multiply(n1 - 1.0, Square(ReadNumber(boxes[kS1]))),
                                          Multiply(n2 - 1.0, Square(ReadNumber(boxes[kS2])))),
                                      Subtract(Add(n1, n2), 2.0));
  const Blank standardError =
      SquareRoot(Multiply(pooledVariance, Divide(Add(n1, n2), Multiply(n1, n2))));
  const Blank difference = Absolute(Subtract(ReadNumber(boxes[kX1]), ReadNumber(boxes[kX2])));
  return NumberText(Divide(difference, standardError));
}

GroupSummary SummariseGroup(std::span<const double> values) {
  const int n = static_cast<int>(values.size());
  const Blank mean = Mean(values);
  const Blank sd = SquareRoot(Divide(SquaredDeviations(values, mean), n - 1.0));
  return {n, NumberText(mean), NumberText(sd)};
}

}  // namespace sumvane
