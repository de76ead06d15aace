#include "stats/regression.h"

#include "stats/arithmetic.h"
#include "stats/moments.h"
#include "stats/number.h"

namespace sumvane {

namespace {

constexpr int kCoefficientWidth = 8;

std::string Equation(const Blank& intercept, const Blank& slope) {
  if (!intercept || !slope) return "";
  const std::string interceptText = ClipText(FormatDecimal(*intercept), kCoefficientWidth);
  const std::string slopeText = ClipText(FormatDecimal(*slope), kCoefficientWidth);
  // A negative slope is joined by its own sign, spaced as a plus is.
  if (slopeText.starts_with('-')) return "Y=" + interceptText + " - " + slopeText.substr(1) + "X";
  return "Y=" + interceptText + " + " + slopeText + "X";
}

}  // namespace

RegressionResult Regress(std::span<const Observation> x, std::span<const Observation> y) {
  if (x.size() != y.size()) return {};
  const FittedLine line = FitLine(x, y);
  return {NumberText(static_cast<int>(x.size())), FormatDecimal(line.r),
          Equation(line.intercept, line.slope)};
}

std::string TOfR(std::string_view rText, std::string_view nText) {
  // A blank r box holds no r, though it reads as 0.
  if (rText.find_first_not_of(" \t") == std::string_view::npos) return "";
  const Blank t = Absolute(ReadNumber(rText));
  const double m = ReadNumber(nText);
  const Blank spread = Divide(Subtract(1.0, Square(t)), Subtract(m, 2.0));
  return FormatDecimal(Divide(t, SquareRoot(spread)));
}

}  // namespace sumvane
