#include "stats/report_figures.h"

#include <algorithm>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <initializer_list>
#include <stdexcept>

#include "stats/p_values.h"

namespace sumvane {
namespace {

constexpr double kConfidence = 0.95;

bool AllFinite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool Usable(const GroupStatistics& g) { return AllFinite({g.mean, g.sd, g.n}) && g.sd >= 0.0; }

// The quantile a two-sided interval reaches out to; none if the library
// cannot give it.
template <typename Distribution>
std::optional<double> TwoSidedQuantile(const Distribution& distribution) {
  try {
    const double q =
        boost::math::quantile(boost::math::complement(distribution, (1.0 - kConfidence) / 2.0));
    if (!std::isfinite(q)) return std::nullopt;
    return q;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<Interval> Around(double centre, double halfWidth) {
  const Interval interval{centre - halfWidth, centre + halfWidth};
  if (!AllFinite({interval.lower, interval.upper})) return std::nullopt;
  return interval;
}

std::optional<Interval> TInterval(double centre, double standardError, double df) {
  if (!AllFinite({centre, standardError, df}) || standardError <= 0.0 || df <= 0.0) {
    return std::nullopt;
  }
  const std::optional<double> q =
      TwoSidedQuantile(boost::math::students_t_distribution<double>(df));
  if (!q) return std::nullopt;
  return Around(centre, *q * standardError);
}

}  // namespace

std::optional<VarianceRatio> VarianceRatioTest(double sd1, double n1, double sd2, double n2) {
  if (!AllFinite({sd1, n1, sd2, n2}) || sd1 < 0.0 || sd2 < 0.0 || n1 <= 1.0 || n2 <= 1.0) {
    return std::nullopt;
  }
  const bool firstOnTop = sd1 >= sd2;
  const double larger = firstOnTop ? sd1 : sd2;
  const double smaller = firstOnTop ? sd2 : sd1;
  if (smaller <= 0.0) return std::nullopt;
  VarianceRatio ratio;
  ratio.f = (larger / smaller) * (larger / smaller);
  ratio.numeratorDf = (firstOnTop ? n1 : n2) - 1.0;
  ratio.denominatorDf = (firstOnTop ? n2 : n1) - 1.0;
  if (!std::isfinite(ratio.f)) return std::nullopt;
  try {
    namespace bm = boost::math;
    const bm::fisher_f_distribution<double> f(ratio.numeratorDf, ratio.denominatorDf);
    // Twice the smaller tail: the F distribution's median is not 1, so a
    // ratio just above 1 may lie in the lower half.
    const double tail = std::min(bm::cdf(f, ratio.f), bm::cdf(bm::complement(f, ratio.f)));
    if (std::isnan(tail)) return std::nullopt;
    ratio.p = std::clamp(2.0 * tail, 0.0, 1.0);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return ratio;
}

std::optional<WelchTest> WelchTTest(const GroupStatistics& first, const GroupStatistics& second) {
  if (!Usable(first) || !Usable(second) || first.n <= 1.0 || second.n <= 1.0) return std::nullopt;
  const double v1 = first.sd * first.sd / first.n;
  const double v2 = second.sd * second.sd / second.n;
  const double standardError = std::sqrt(v1 + v2);
  if (!(standardError > 0.0)) return std::nullopt;
  WelchTest welch;
  welch.t = (first.mean - second.mean) / standardError;
  welch.df = (v1 + v2) * (v1 + v2) / (v1 * v1 / (first.n - 1.0) + v2 * v2 / (second.n - 1.0));
  if (!AllFinite({welch.t, welch.df}) || welch.df <= 0.0) {
    return std::nullopt;
  }
  const std::optional<double> p = TwoSidedTP(welch.t, welch.df);
  if (!p) return std::nullopt;
  welch.p = *p;
  return welch;
}

std::optional<Interval> PooledDifferenceInterval(const GroupStatistics& first,
                                                 const GroupStatistics& second) {
  if (!Usable(first) || !Usable(second) || first.n < 1.0 || second.n < 1.0) return std::nullopt;
  const double df = first.n + second.n - 2.0;
  if (df < 1.0) return std::nullopt;
  const double pooledVariance =
      ((first.n - 1.0) * first.sd * first.sd + (second.n - 1.0) * second.sd * second.sd) / df;
  const double standardError = std::sqrt(pooledVariance * (1.0 / first.n + 1.0 / second.n));
  return TInterval(first.mean - second.mean, standardError, df);
}

std::optional<Interval> WelchDifferenceInterval(const GroupStatistics& first,
                                                const GroupStatistics& second) {
  const std::optional<WelchTest> welch = WelchTTest(first, second);
  if (!welch) return std::nullopt;
  const double standardError =
      std::sqrt(first.sd * first.sd / first.n + second.sd * second.sd / second.n);
  return TInterval(first.mean - second.mean, standardError, welch->df);
}

std::optional<Interval> PairedDifferenceInterval(double meanDifference, double sdDifference,
                                                 double n) {
  if (!AllFinite({meanDifference, sdDifference, n}) || n <= 1.0 || sdDifference < 0.0) {
    return std::nullopt;
  }
  return TInterval(meanDifference, sdDifference / std::sqrt(n), n - 1.0);
}

std::optional<Interval> CorrelationInterval(double r, double n) {
  if (!AllFinite({r, n}) || n <= 3.0 || std::fabs(r) >= 1.0) return std::nullopt;
  const std::optional<double> q = TwoSidedQuantile(boost::math::normal_distribution<double>());
  if (!q) return std::nullopt;
  const double z = std::atanh(r);
  const double reach = *q / std::sqrt(n - 3.0);
  const Interval interval{std::tanh(z - reach), std::tanh(z + reach)};
  if (!AllFinite({interval.lower, interval.upper})) return std::nullopt;
  return interval;
}

}  // namespace sumvane
