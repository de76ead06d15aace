#include "stats/sorted_sample.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace sumvane {

SortedSample::SortedSample(std::span<const double> values) : size_(values.size()) {
  finite_ = std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
  if (!finite_) return;
  struct Entry {
    double value;
    std::int32_t position;
  };
  std::vector<Entry> entries(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    entries[i] = {values[i], static_cast<std::int32_t>(i)};
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.value < b.value; });
  values_.resize(entries.size());
  positions_.resize(entries.size());
  for (std::size_t k = 0; k < entries.size(); ++k) {
    values_[k] = entries[k].value;
    positions_[k] = entries[k].position;
  }
}

std::optional<double> SortedSample::Median() const {
  const std::size_t n = values_.size();
  if (n == 0) return std::nullopt;
  if (n % 2 == 1) return values_[n / 2];
  return std::midpoint(values_[n / 2 - 1], values_[n / 2]);
}

std::optional<double> SortedSample::Quantile(double probability) const {
  const std::size_t n = values_.size();
  if (n == 0 || !(probability >= 0.0 && probability <= 1.0)) return std::nullopt;
  // R's type 7: the point (n - 1)·p of the ordered values, joined linearly,
  // weighed as R writes it, (1 - h)·x[lo] + h·x[hi].
  const double index = static_cast<double>(n - 1) * probability;
  const auto lo = static_cast<std::size_t>(std::floor(index));
  const double h = index - static_cast<double>(lo);
  if (h == 0.0 || values_[lo + 1] == values_[lo]) return values_[lo];
  return (1.0 - h) * values_[lo] + h * values_[lo + 1];
}

std::vector<double> SortedSample::Ranks() const {
  std::vector<double> ranks(size_);
  const std::size_t n = values_.size();
  for (std::size_t start = 0; start < n;) {
    std::size_t end = start + 1;
    while (end < n && values_[end] == values_[start]) ++end;
    // Ranks start + 1 .. end share their mean.
    const double rank = (static_cast<double>(start + 1) + static_cast<double>(end)) / 2.0;
    for (std::size_t k = start; k < end; ++k) ranks[static_cast<std::size_t>(positions_[k])] = rank;
    start = end;
  }
  return ranks;
}

double SortedSample::TieSum() const {
  double sum = 0.0;
  const std::size_t n = values_.size();
  for (std::size_t start = 0; start < n;) {
    std::size_t end = start + 1;
    while (end < n && values_[end] == values_[start]) ++end;
    sum += TieTerm(end - start);
    start = end;
  }
  return sum;
}

}  // namespace sumvane
