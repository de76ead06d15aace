// One sort of a sample, shared by every check of one change of the list:
// Shapiro–Wilk and the Q–Q picture read the ordered values, Levene's test the
// median, the rank tests the ranks with ties averaged. Sorting is the whole
// cost of the checks at the list's size, so a change builds one SortedSample
// per group (or of the pair differences) and hands it to each check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace sumvane {

// Why a check could not form its figures. kNone: they are formed.
enum class NoFigure {
  kNone,
  kTooFewValues,        // fewer values than the check needs (stated per check)
  kTooManyValues,       // Shapiro–Wilk past 5000 values
  kAllValuesEqual,      // no spread to work with (a constant sample, all ranks tied)
  kValueNotFinite,      // an infinite value (a number beyond the double range)
  kUnequalLengths,      // two columns of pairs differ in length
  kAllDifferencesZero,  // the signed-rank test: every pair difference is zero
};

class SortedSample {
 public:
  SortedSample() = default;
  // Sorts a copy (at most 2^31 - 1 values). A value that is not finite
  // leaves the sample without values and Finite() false, since no check can
  // use it.
  explicit SortedSample(std::span<const double> values);

  bool Finite() const { return finite_; }
  // The number of values given, whether finite or not.
  std::size_t Size() const { return size_; }
  // Ascending.
  std::span<const double> Values() const { return values_; }
  // Where each of Values() stood in the input (0-based); equal values in
  // the order they came.
  std::span<const std::int32_t> Positions() const { return positions_; }

  // R's median; empty for no values.
  std::optional<double> Median() const;
  // R's quantile(x, probability, type = 7); empty for no values.
  std::optional<double> Quantile(double probability) const;

  // The rank of each value in input order, ties given the mean of the ranks
  // they share (1 = smallest), as R's rank().
  std::vector<double> Ranks() const;
  // Σ(t³ − t) over each group of t equal values: what the tie corrections
  // subtract. 0 without ties.
  double TieSum() const;

 private:
  std::vector<double> values_;
  std::vector<std::int32_t> positions_;
  std::size_t size_ = 0;
  bool finite_ = true;
};

// Σ(t³ − t) for a run of t equal values, the term of one tie.
inline double TieTerm(std::size_t t) {
  const auto d = static_cast<double>(t);
  return d * d * d - d;
}

}  // namespace sumvane
