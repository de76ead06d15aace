#include "stats/regression.h"

#include "stats/arithmetic.h"
#include "stats/number.h"

namespace sumvane {

namespace {

constexpr int kCoefficientWidth = 8;

// The sum of the products of the deviations of x and y from their means.
Blank CrossDeviations(std::span<const double> x, std::span<const double> y, const Blank& mx,
                      const Blank& my) {
  Blank total = 0.0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    total = Add(total, Multiply(Subtract(x[i], mx), Subtract(y[i], my)));
  }
  return total;
}

std::string Equation(const Blank& intercept, const Blank& slope) {
  if (!intercept || !slope) return "";
  const std::string interceptText = ClipText(FormatDecimal(*intercept), kCoefficientWidth);
  const std::string slopeText = ClipText(FormatDecimal(*slope), kCoefficientWidth);
  const std::string joint = slopeText.starts_with('-') ? "" : " + ";
  return "Y=" + interceptText + joint + slopeText + "X";
}

}  // namespace

RegressionResult Regress(std::span<const double> x, std::span<const double> y) {
  if (x.size() != y.size()) return {};
  const int n = static_cast<int>(x.size());
  const Blank mx = Mean(x);
  const Blank my = Mean(y);
  const Blank lxx = SquaredDeviations(x, mx);
  const Blank lyy = SquaredDeviations(y, my);
  const Blank lxy = CrossDeviations(x, y, mx, my);

  const Blank r = Divide(lxy, SquareRoot(Multiply(lxx, lyy)));
  const Blank slope = Divide(lxy, lxx);
  const Blank intercept = Subtract(my, Multiply(mx, slope));
  return {NumberText(n), FormatDecimal(r), Equation(intercept, slope)};
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
