// Exact P values of the two count analyses: Fisher's exact test of a fourfold
// table, and the exact binomial test of the discordant pairs of a paired table.
// Both define the two-sided P as R's fisher.test and binom.test do: the sum of
// the probabilities of all outcomes no more probable than the observed one,
// "no more" allowing a relative 1e-7 so that outcomes equal in exact arithmetic
// count alike.
#pragma once

#include <optional>
#include <vector>

namespace sumvane {

// Whole counts of the cells: a and b the first row, c and d the second.
struct FourfoldCounts {
  int a = 0;
  int b = 0;
  int c = 0;
  int d = 0;
};

// The largest table total the tests accept, the list's 16-bit limit.
inline constexpr int kMaxExactTotal = 32767;

// The tables with the observed margins, told apart by their cell a, which runs
// from lowestA to lowestA + probabilities.size() - 1.
struct ExactTestSupport {
  int lowestA = 0;
  int observedA = 0;
  // The hypergeometric probability of each table; a probability too small
  // for a double reads 0.
  std::vector<double> probabilities;
  // Whether the table is no more probable than the observed one, and so part
  // of the two-sided P.
  std::vector<bool> counted;
  double p = 1.0;
};

// The support and two-sided P of Fisher's exact test. No value for a negative
// count or a total above kMaxExactTotal. A table whose margins allow only
// itself (n = 0, n = 1, an empty row or column) has P = 1.
std::optional<ExactTestSupport> FisherExactSupport(const FourfoldCounts& counts);

// The two-sided P of Fisher's exact test, as R's fisher.test(...)$p.value.
// It is never 0 unless the true P is below the smallest double.
std::optional<double> FisherExactP(const FourfoldCounts& counts);

// The two-sided P of the exact binomial test of b discordant pairs of one kind
// against c of the other, each kind equally likely, as R's
// binom.test(b, b + c)$p.value. No value for a negative count or b + c = 0.
std::optional<double> PairedBinomialP(int b, int c);

}  // namespace sumvane
