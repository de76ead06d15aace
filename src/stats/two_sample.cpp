#include "stats/two_sample.h"

#include "stats/arithmetic.h"
#include "stats/moments.h"
#include "stats/number.h"

namespace sumvane {

std::string TwoSampleDegrees(std::string_view n1Text, std::string_view n2Text) {
  return TwoSampleDegrees(ReadNumber(n1Text), ReadNumber(n2Text));
}

std::string TwoSampleDegrees(double n1, double n2) {
  if (!(n1 >= 1.0) || !(n2 >= 1.0)) return "";
  const Blank degrees = Subtract(Add(n1, n2), 2.0);
  if (!degrees || *degrees < 1.0) return "";
  return NumberText(degrees);
}

std::string TwoSampleT(const TwoSampleFigures& figures) {
  if (!(ReadNumber(figures.degrees) > 1.0)) return "";

  const double n1 = ReadNumber(figures.n1);
  const double n2 = ReadNumber(figures.n2);
  const Blank pooledVariance = Divide(Add(Multiply(n1 - 1.0, Square(ReadNumber(figures.sd1))),
                                          Multiply(n2 - 1.0, Square(ReadNumber(figures.sd2)))),
                                      Subtract(Add(n1, n2), 2.0));
  const Blank standardError =
      SquareRoot(Multiply(pooledVariance, Divide(Add(n1, n2), Multiply(n1, n2))));
  const Blank difference = Absolute(Subtract(ReadNumber(figures.mean1), ReadNumber(figures.mean2)));
  return NumberText(Divide(difference, standardError));
}

GroupSummary SummariseGroup(std::span<const Observation> values) {
  const MeanAndSd figures = DescribeValues(values);
  return {NumberText(static_cast<int>(values.size())), NumberText(figures.mean),
          NumberText(figures.sd)};
}

}  // namespace sumvane
