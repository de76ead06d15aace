#include "stats/picture_figures.h"

#include <algorithm>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <limits>
#include <numeric>

namespace sumvane {

PictureSpread SpreadOf(std::span<const double> values) {
  const double n = static_cast<double>(values.size());
  const double mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
  double squares = 0;
  for (double v : values) squares += (v - mean) * (v - mean);
  return {mean, values.size() > 1 ? std::sqrt(squares / (n - 1)) : 0.0};
}

double Quantile(std::vector<double>& values, double q) {
  const double h = (static_cast<double>(values.size()) - 1) * q;
  const auto lo = static_cast<std::ptrdiff_t>(std::floor(h));
  const auto at = values.begin() + lo;
  std::nth_element(values.begin(), at, values.end());
  if (at + 1 == values.end()) return *at;
  const double next = *std::min_element(at + 1, values.end());
  return *at + (h - static_cast<double>(lo)) * (next - *at);
}

BoxFigures BoxOf(std::vector<double> values) {
  BoxFigures box;
  const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
  box.lowest = *lowest;
  box.highest = *highest;
  box.lower = Quantile(values, 0.25);
  box.median = Quantile(values, 0.5);
  box.upper = Quantile(values, 0.75);
  return box;
}

DifferenceFigures DifferencesOf(std::span<const double> x, std::span<const double> y) {
  DifferenceFigures figures;
  figures.differences.resize(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) figures.differences[i] = x[i] - y[i];
  const PictureSpread s = SpreadOf(figures.differences);
  const double n = static_cast<double>(x.size());
  const double margin =
      boost::math::quantile(boost::math::students_t(n - 1), 0.975) * s.sd / std::sqrt(n);
  figures.mean = s.mean;
  figures.low = s.mean - margin;
  figures.high = s.mean + margin;
  return figures;
}

PictureLine LeastSquaresLine(std::span<const double> xs, std::span<const double> ys) {
  const std::size_t n = xs.size();
  double sx = 0, sy = 0;
  for (std::size_t i = 0; i < n; ++i) sx += xs[i], sy += ys[i];
  const double mx = sx / static_cast<double>(n), my = sy / static_cast<double>(n);
  double sxx = 0, sxy = 0;
  for (std::size_t i = 0; i < n; ++i) {
    sxx += (xs[i] - mx) * (xs[i] - mx);
    sxy += (xs[i] - mx) * (ys[i] - my);
  }
  PictureLine line;
  if (!std::isfinite(sxx) || !std::isfinite(sxy) || !std::isfinite(my)) {
    line.fault = PictureLine::Fault::kNotFinite;
  } else if (sxx == 0) {
    line.fault = PictureLine::Fault::kNoSpread;
  } else {
    line.slope = sxy / sxx;
    line.intercept = my - line.slope * mx;
  }
  return line;
}

namespace {

Rate RateOf(double part, double whole) {
  if (!(whole > 0)) return {part, whole, 0, 0};
  return {part, whole, part / whole, 100 * part / whole};
}

}  // namespace

std::array<Rate, 2> RowRates(const std::array<double, 4>& c) {
  return {RateOf(c[0], c[0] + c[1]), RateOf(c[2], c[2] + c[3])};
}

PairedRates PairedRatesOf(const std::array<double, 4>& c) {
  const double n = c[0] + c[1] + c[2] + c[3];
  return {{RateOf(c[0] + c[1], n), RateOf(c[0] + c[2], n)}, c[0] / n, c[1] / n, c[2] / n};
}

double Density(const NullLaw& law, double x) {
  if (law.law == TestFacts::Law::kT)
    return boost::math::pdf(boost::math::students_t(law.degrees), x);
  // Where the density rises without bound, Boost reports an overflow.
  if (x <= 0 && law.degrees < 2) return std::numeric_limits<double>::infinity();
  return boost::math::pdf(boost::math::chi_squared(law.degrees), x);
}

double UpperQuantile(const NullLaw& law, double tail) {
  if (law.law == TestFacts::Law::kT)
    return boost::math::quantile(complement(boost::math::students_t(law.degrees), tail));
  return boost::math::quantile(complement(boost::math::chi_squared(law.degrees), tail));
}

NullLawFigures FiguresOf(const NullLaw& law, double alpha) {
  const bool t = law.law == TestFacts::Law::kT;
  NullLawFigures figures;
  figures.critical = UpperQuantile(law, t ? alpha / 2 : alpha);
  figures.far = UpperQuantile(law, 2e-4);
  const double nu = law.degrees;
  figures.peak = Density(law, t ? 0.0 : nu > 2 ? nu - 2 : 0.12 * figures.critical);
  return figures;
}

std::vector<CurvePoint> DensityEdge(const NullLaw& law, double x0, double x1, int count,
                                    double cap) {
  std::vector<CurvePoint> edge;
  edge.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double x = x0 + (x1 - x0) * i / (count - 1);
    edge.push_back({x, std::min(Density(law, x), cap)});
  }
  return edge;
}

std::vector<CurvePoint> DensityCurve(const NullLaw& law, double x0, double x1, int count,
                                     double cap) {
  const bool t = law.law == TestFacts::Law::kT;
  std::vector<CurvePoint> curve;
  curve.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    double x = x0 + (x1 - x0) * i / (count - 1);
    if (!t && x <= 0) x = (x1 - x0) / (4.0 * count);
    if (const double y = Density(law, x); y <= cap) curve.push_back({x, y});
  }
  return curve;
}

}  // namespace sumvane
