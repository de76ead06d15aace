#include "stats/extended_moments.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "stats/arithmetic.h"

namespace sumvane {
namespace {

// Neumaier's summation: the error of each addition is collected apart and
// added back at the end.
class CompensatedSum {
 public:
  void Add(long double value) {
    const long double total = sum_ + value;
    carry_ += std::fabs(sum_) >= std::fabs(value) ? (sum_ - total) + value : (value - total) + sum_;
    sum_ = total;
  }
  long double Total() const { return sum_ + carry_; }

 private:
  long double sum_ = 0.0L;
  long double carry_ = 0.0L;
};

using Column = std::vector<long double>;

// None when a value is infinite: no figure can be formed from it.
std::optional<Column> AllFinite(Column values) {
  for (const long double value : values) {
    if (!std::isfinite(value)) return std::nullopt;
  }
  return values;
}

std::optional<Column> ValuesOf(std::span<const Observation> values) {
  Column column;
  column.reserve(values.size());
  for (const Observation& value : values) column.push_back(value.Value());
  return AllFinite(std::move(column));
}

// The mean, and whether all values are equal: their deviations are then zero
// exactly, whatever the rounding of the mean.
struct Centre {
  long double mean = 0.0L;
  bool constant = true;
};

Centre CentreOf(const Column& values) {
  CompensatedSum sum;
  Centre centre;
  for (const long double value : values) {
    sum.Add(value);
    centre.constant = centre.constant && value == values.front();
  }
  centre.mean = centre.constant ? values.front() : sum.Total() / values.size();
  return centre;
}

// Σ(x - x̄)(y - ȳ), less the rounding error of the means, (Σ(x - x̄))(Σ(y - ȳ)) / n.
long double CrossDeviations(const Column& x, const Centre& cx, const Column& y, const Centre& cy) {
  if (cx.constant || cy.constant) return 0.0L;
  CompensatedSum products;
  CompensatedSum dx;
  CompensatedSum dy;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const long double u = x[i] - cx.mean;
    const long double v = y[i] - cy.mean;
    products.Add(u * v);
    dx.Add(u);
    dy.Add(v);
  }
  return products.Total() - dx.Total() * dy.Total() / x.size();
}

Blank ToDouble(long double value) { return Finite(static_cast<double>(value)); }

MeanAndSd Describe(const std::optional<Column>& values) {
  if (!values || values->empty()) return {};
  const Centre centre = CentreOf(*values);
  MeanAndSd figures{ToDouble(centre.mean), std::nullopt};
  if (values->size() >= 2) {
    const long double squares = std::max(0.0L, CrossDeviations(*values, centre, *values, centre));
    figures.sd = ToDouble(std::sqrt(squares / (values->size() - 1)));
  }
  return figures;
}

struct PairDeviations {
  Centre x;
  Centre y;
  long double lxx;
  long double lyy;
  long double lxy;
};

std::optional<PairDeviations> DeviationsOf(std::span<const Observation> x,
                                           std::span<const Observation> y) {
  const std::optional<Column> u = ValuesOf(x);
  const std::optional<Column> v = ValuesOf(y);
  if (!u || !v || u->empty()) return std::nullopt;
  const Centre cx = CentreOf(*u);
  const Centre cy = CentreOf(*v);
  return PairDeviations{cx, cy, std::max(0.0L, CrossDeviations(*u, cx, *u, cx)),
                        std::max(0.0L, CrossDeviations(*v, cy, *v, cy)),
                        CrossDeviations(*u, cx, *v, cy)};
}

FittedLine LineOf(const PairDeviations& p) {
  if (p.lxx == 0.0L) return {};
  FittedLine line;
  const long double slope = p.lxy / p.lxx;
  line.slope = ToDouble(slope);
  line.intercept = ToDouble(p.y.mean - slope * p.x.mean);
  // Rounding may carry |r| a hair past 1, which no later figure could use.
  if (p.lyy > 0.0L) line.r = ToDouble(std::clamp(p.lxy / std::sqrt(p.lxx * p.lyy), -1.0L, 1.0L));
  return line;
}

}  // namespace

MeanAndSd ExtendedMeanAndSd(std::span<const Observation> values) {
  return Describe(ValuesOf(values));
}

MeanAndSd ExtendedDifferences(std::span<const Observation> x, std::span<const Observation> y) {
  if (x.size() != y.size()) return {};
  Column differences;
  differences.reserve(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) {
    differences.push_back(static_cast<long double>(x[i].Value()) - y[i].Value());
  }
  return Describe(AllFinite(std::move(differences)));
}

FittedLine ExtendedLine(std::span<const Observation> x, std::span<const Observation> y) {
  if (x.size() != y.size()) return {};
  const std::optional<PairDeviations> deviations = DeviationsOf(x, y);
  if (!deviations) return {};
  return LineOf(*deviations);
}

PairMoments ExtendedPairMoments(std::span<const Observation> x, std::span<const Observation> y) {
  if (x.size() != y.size()) return {};
  PairMoments moments;
  moments.n = x.size();
  const std::optional<PairDeviations> p = DeviationsOf(x, y);
  if (!p) return moments;
  moments.meanX = ToDouble(p->x.mean);
  moments.meanY = ToDouble(p->y.mean);
  moments.lxx = ToDouble(p->lxx);
  moments.lyy = ToDouble(p->lyy);
  moments.lxy = ToDouble(p->lxy);
  moments.line = LineOf(*p);
  if (p->lxx == 0.0L) return moments;
  const long double explained = p->lxy * p->lxy / p->lxx;
  moments.regressionSquares = ToDouble(explained);
  moments.residualSquares = ToDouble(std::max(0.0L, p->lyy - explained));
  if (p->lyy > 0.0L) moments.rSquared = ToDouble(std::min(1.0L, explained / p->lyy));
  return moments;
}

}  // namespace sumvane
