#include "stats/sorted_sample.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

namespace sumvane {

namespace {

// A least-significant-digit radix sort of the values' bits: a few linear
// passes, where a comparison sort makes n·log n unpredictable branches. At
// the list's size it is several times quicker than std::sort, which is what
// lets the checks of a change cost less than sorting twice.
constexpr int kDigitBits = 11;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
constexpr int kPasses = (64 + kDigitBits - 1) / kDigitBits;
constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;

// The bits of a double as a whole number in the same order: a negative
// number has every bit flipped, any other its sign bit set. -0 is taken as
// +0, which it equals.
std::uint64_t OrderedKey(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value + 0.0);
  return (bits & kSignBit) != 0 ? ~bits : bits | kSignBit;
}

double ValueOfKey(std::uint64_t key) {
  return std::bit_cast<double>((key & kSignBit) != 0 ? key & ~kSignBit : ~key);
}

std::size_t Digit(std::uint64_t key, int pass) {
  return static_cast<std::size_t>(key >> (pass * kDigitBits)) & (kBuckets - 1);
}

}  // namespace

SortedSample::SortedSample(std::span<const double> values) : size_(values.size()) {
  finite_ = std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
  const std::size_t n = values.size();
  if (!finite_ || n == 0) return;
  std::vector<std::uint64_t> keys(n);
  std::vector<std::uint64_t> keysOut(n);
  positions_.resize(n);
  std::vector<std::int32_t> positionsOut(n);
  std::vector<std::uint32_t> counts(kPasses * kBuckets, 0);
  for (std::size_t i = 0; i < n; ++i) {
    keys[i] = OrderedKey(values[i]);
    positions_[i] = static_cast<std::int32_t>(i);
    for (int pass = 0; pass < kPasses; ++pass) ++counts[pass * kBuckets + Digit(keys[i], pass)];
  }
  for (int pass = 0; pass < kPasses; ++pass) {
    std::uint32_t* const start = &counts[pass * kBuckets];
    // A digit every key shares orders nothing.
    if (start[Digit(keys[0], pass)] == n) continue;
    std::uint32_t sum = 0;
    for (std::size_t bucket = 0; bucket < kBuckets; ++bucket) {
      const std::uint32_t count = start[bucket];
      start[bucket] = sum;
      sum += count;
    }
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint32_t to = start[Digit(keys[i], pass)]++;
      keysOut[to] = keys[i];
      positionsOut[to] = positions_[i];
    }
    keys.swap(keysOut);
    positions_.swap(positionsOut);
  }
  values_.resize(n);
  for (std::size_t k = 0; k < n; ++k) values_[k] = ValueOfKey(keys[k]);
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
