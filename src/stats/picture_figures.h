// The figures the report's pictures place: each group's mean and standard
// deviation, the quartiles of a box, the mean difference of pairs with its
// 95% interval, the least-squares line, and the density, critical values and
// tails of t and chi-square under H0. The pictures draw these and compute
// none of their own.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "stats/picture_facts.h"

namespace sumvane {

// A sample's mean and standard deviation (0 for a single value); the sample
// is not empty.
struct PictureSpread {
  double mean = 0, sd = 0;
};
PictureSpread SpreadOf(std::span<const double> values);

// The q-quantile by R's default definition (type 7); reorders the values,
// which are not empty. A selection rather than a sort: a box of 32,767
// values is drawn while the user pauses typing.
double Quantile(std::vector<double>& values, double q);

// What a box plot shows: the extremes, the quartiles and the median.
struct BoxFigures {
  double lowest = 0, lower = 0, median = 0, upper = 0, highest = 0;
};
BoxFigures BoxOf(std::vector<double> values);

// Each pair's difference x − y, their mean, and the mean's 95% interval from
// t with n − 1 degrees of freedom; x and y hold at least two pairs each.
struct DifferenceFigures {
  std::vector<double> differences;
  double mean = 0, low = 0, high = 0;
};
DifferenceFigures DifferencesOf(std::span<const double> x, std::span<const double> y);

// The least-squares line of y on x, unless a sum cannot be formed or x does
// not vary.
struct PictureLine {
  enum class Fault { kNone, kNotFinite, kNoSpread };
  Fault fault = Fault::kNone;
  double slope = 0, intercept = 0;
};
PictureLine LeastSquaresLine(std::span<const double> x, std::span<const double> y);

// A rate positive as a bar shows it: part of whole, as a fraction and in
// percent; a rate of no whole is 0.
struct Rate {
  double part = 0, whole = 0, rate = 0, percent = 0;
};
// The fourfold table a, b, c, d by rows: a / (a + b) and c / (c + d).
std::array<Rate, 2> RowRates(const std::array<double, 4>& cells);
// The paired table by measurement: (a + b) / n and (a + c) / n, with the
// shares of n the bars stack, a / n, b / n and c / n.
struct PairedRates {
  std::array<Rate, 2> rates;
  double both = 0, onlyFirst = 0, onlySecond = 0;
};
PairedRates PairedRatesOf(const std::array<double, 4>& cells);

// The distribution of the statistic under H0, ν > 0.
struct NullLaw {
  TestFacts::Law law = TestFacts::Law::kT;
  double degrees = 1;
};

// The density at x; chi-square with fewer than 2 degrees of freedom rises
// without bound at 0, and gives infinity there.
double Density(const NullLaw& law, double x);
// The x with `tail` of the law above it.
double UpperQuantile(const NullLaw& law, double tail);

// What the axes of the test's picture are fitted to: the critical value at α
// (of both tails of t, of the upper tail of chi-square), the x beyond which
// 2×10⁻⁴ remains, and the height of the density where it peaks (for
// chi-square with 1 or 2 degrees of freedom, which rises without bound at 0,
// its height at 0.12 times the critical value).
struct NullLawFigures {
  double critical = 0, far = 0, peak = 0;
};
NullLawFigures FiguresOf(const NullLaw& law, double alpha);

struct CurvePoint {
  double x = 0, y = 0;
};
// The density at `count` ≥ 2 evenly spaced x from x0 to x1, each no higher
// than `cap`: the upper edge of an area.
std::vector<CurvePoint> DensityEdge(const NullLaw& law, double x0, double x1, int count,
                                    double cap);
// The density at `count` ≥ 2 evenly spaced x from x0 to x1, leaving out those
// above `cap` (where chi-square rises without bound, the curve enters at the
// top); chi-square's curve starts just right of 0.
std::vector<CurvePoint> DensityCurve(const NullLaw& law, double x0, double x1, int count,
                                     double cap);

}  // namespace sumvane
