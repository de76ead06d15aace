#include "stats/normality.h"

#include <algorithm>
#include <array>
#include <boost/math/special_functions/erf.hpp>
#include <climits>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace sumvane {
namespace {

// c0 + c1·x + c2·x² + ..., Horner's rule.
template <std::size_t N>
double Polynomial(const std::array<double, N>& c, double x) {
  double value = 0.0;
  for (std::size_t i = N; i-- > 0;) value = value * x + c[i];
  return value;
}

// Royston's corrections of the two largest weights, in u = 1/sqrt(n).
constexpr std::array<double, 6> kLargestWeight = {0.0,       0.221157, -0.147981,
                                                  -2.071190, 4.434685, -2.706056};
constexpr std::array<double, 6> kSecondWeight = {0.0,       0.042981, -0.293762,
                                                 -1.752461, 5.682633, -3.582633};
// The normalising transform of W for 4 ≤ n ≤ 11: -log(γ - log(1 - W)) is
// normal with mean μ and standard deviation σ, each a polynomial in n.
constexpr std::array<double, 2> kSmallGamma = {-2.273, 0.459};
constexpr std::array<double, 4> kSmallMean = {0.544, -0.39978, 0.025054, -6.714e-4};
constexpr std::array<double, 4> kSmallLogSd = {1.3822, -0.77857, 0.062767, -0.0020322};
// For n ≥ 12: log(1 - W) is normal, μ and log σ polynomials in log n.
constexpr std::array<double, 4> kLargeMean = {-1.5861, -0.31082, -0.083751, 0.0038915};
constexpr std::array<double, 3> kLargeLogSd = {-0.4803, -0.082676, 0.0030302};

// The weights a_1 .. a_[n/2] of the smallest values (with a minus sign; the
// largest values take them with a plus sign, mirrored), largest first.
std::vector<double> Weights(int n) {
  const int half = n / 2;
  std::vector<double> a(static_cast<std::size_t>(half));
  if (n == 3) {
    a[0] = std::sqrt(0.5);
    return a;
  }
  // Blom's approximation to the expected normal order statistics.
  std::vector<double> m(a.size());
  double sumSquares = 0.0;
  for (int i = 0; i < half; ++i) {
    m[i] = *NormalQuantile((i + 1 - 0.375) / (n + 0.25));
    sumSquares += m[i] * m[i];
  }
  sumSquares *= 2.0;
  const double u = 1.0 / std::sqrt(static_cast<double>(n));
  const double a1 = Polynomial(kLargestWeight, u) - m[0] / std::sqrt(sumSquares);
  // The remaining weights are the m scaled to make Σa² = 1.
  double rest = sumSquares - 2.0 * m[0] * m[0];
  double restOfOne = 1.0 - 2.0 * a1 * a1;
  int first = 1;
  if (n > 5) {
    const double a2 = Polynomial(kSecondWeight, u) - m[1] / std::sqrt(sumSquares);
    rest -= 2.0 * m[1] * m[1];
    restOfOne -= 2.0 * a2 * a2;
    a[1] = a2;
    first = 2;
  }
  a[0] = a1;
  const double scale = std::sqrt(rest / restOfOne);
  for (int i = first; i < half; ++i) a[i] = -m[i] / scale;
  return a;
}

// P of a smaller W (Royston's normalising transforms).
std::optional<double> PValue(double w, double oneMinusW, int n) {
  if (n == 3) {
    // Exact for three values: W lies in [3/4, 1].
    const double p = 6.0 / std::numbers::pi * (std::asin(std::sqrt(w)) - std::numbers::pi / 3.0);
    return std::clamp(p, 0.0, 1.0);
  }
  double y = std::log(oneMinusW);
  double mean = 0.0;
  double sd = 0.0;
  const auto size = static_cast<double>(n);
  if (n <= 11) {
    // 1 - W never reaches e^γ for these sizes (W is at least n·a1²/(n - 1)).
    y = -std::log(Polynomial(kSmallGamma, size) - y);
    mean = Polynomial(kSmallMean, size);
    sd = std::exp(Polynomial(kSmallLogSd, size));
  } else {
    const double logSize = std::log(size);
    mean = Polynomial(kLargeMean, logSize);
    sd = std::exp(Polynomial(kLargeLogSd, logSize));
  }
  const double p = 0.5 * std::erfc((y - mean) / sd / std::numbers::sqrt2);
  if (!std::isfinite(p)) return std::nullopt;
  return std::clamp(p, 0.0, 1.0);
}

}  // namespace

std::optional<double> NormalQuantile(double probability) {
  if (!(probability > 0.0 && probability < 1.0)) return std::nullopt;
  // The library reports a failure by throwing; a throw becomes no value.
  try {
    return -std::numbers::sqrt2 * boost::math::erfc_inv(2.0 * probability);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

ShapiroWilkTest ShapiroWilk(const SortedSample& sample) {
  ShapiroWilkTest test;
  test.n = static_cast<int>(std::min<std::size_t>(sample.Size(), INT_MAX));
  if (!sample.Finite()) {
    test.failure = NoFigure::kValueNotFinite;
    return test;
  }
  if (test.n < kShapiroWilkMinSize) {
    test.failure = NoFigure::kTooFewValues;
    return test;
  }
  if (test.n > kShapiroWilkMaxSize) {
    test.failure = NoFigure::kTooManyValues;
    return test;
  }
  const std::span<const double> x = sample.Values();
  if (x.front() == x.back()) {
    test.failure = NoFigure::kAllValuesEqual;
    return test;
  }
  const int n = test.n;
  const std::vector<double> a = Weights(n);
  // Scaled by a power of two, exactly, so that no square overflows or
  // underflows whatever the unit of the values.
  int exponent = 0;
  std::frexp(std::max(std::fabs(x.front()), std::fabs(x.back())), &exponent);
  const double scale = std::ldexp(1.0, std::clamp(-exponent, -1000, 1000));
  double mean = 0.0;
  for (const double v : x) mean += v * scale;
  mean /= n;
  // W is the squared correlation of the values with their weights; 1 - W is
  // formed as (√(SaSx) - Sax)(√(SaSx) + Sax)/(SaSx), which keeps its digits
  // when W is close to 1, where its P is decided.
  double sumWeightSquares = 0.0;
  double sumDeviationSquares = 0.0;
  double sumProducts = 0.0;
  for (int i = 0; i < n; ++i) {
    const int mirror = n - 1 - i;
    const double weight = i < mirror ? -a[i] : (i > mirror ? a[mirror] : 0.0);
    const double deviation = x[i] * scale - mean;
    sumWeightSquares += weight * weight;
    sumDeviationSquares += deviation * deviation;
    sumProducts += weight * deviation;
  }
  const double product = sumWeightSquares * sumDeviationSquares;
  const double root = std::sqrt(product);
  // Rounding may carry a perfect fit a hair past W = 1.
  const double oneMinusW =
      std::clamp((root - sumProducts) * (root + sumProducts) / product, 0.0, 1.0);
  test.w = 1.0 - oneMinusW;
  test.p = PValue(*test.w, oneMinusW, n);
  return test;
}

ShapiroWilkTest ShapiroWilk(std::span<const double> values) {
  return ShapiroWilk(SortedSample(values));
}

}  // namespace sumvane
