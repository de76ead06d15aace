// Fisher's exact test on any four counts of 0..32,767, each from two input
// bytes (little-endian, top bit dropped). A table beyond the list's total has
// no P; it is then also tried scaled down to fit. The P and its support must
// not depend on which row or column comes first.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>

#include "check.h"
#include "stats/exact_tests.h"

namespace {

using sumvane::FourfoldCounts;

bool Close(double x, double y) {
  // Denormal results keep fewer digits; below 1e-300 only the magnitude counts.
  return std::fabs(x - y) <= 1e-9 * std::max(x, y) + 1e-300;
}

void CheckTable(const FourfoldCounts& t) {
  const std::optional<sumvane::ExactTestSupport> support = sumvane::FisherExactSupport(t);
  FUZZ_CHECK(support.has_value());
  const double p = support->p;
  FUZZ_CHECK(p >= 0.0 && p <= 1.0);
  FUZZ_CHECK(sumvane::FisherExactP(t) == p);

  const std::size_t observed = static_cast<std::size_t>(t.a - support->lowestA);
  FUZZ_CHECK(observed < support->probabilities.size());
  FUZZ_CHECK(support->counted[observed]);
  FUZZ_CHECK(p >= support->probabilities[observed] * (1 - 1e-9));
  const double total =
      std::accumulate(support->probabilities.begin(), support->probabilities.end(), 0.0);
  FUZZ_CHECK(std::fabs(total - 1.0) <= 1e-9);
  if (support->probabilities.size() == 1) FUZZ_CHECK(p == 1.0);

  const FourfoldCounts mirrors[] = {
      {t.c, t.d, t.a, t.b},  // rows swapped
      {t.b, t.a, t.d, t.c},  // columns swapped
      {t.a, t.c, t.b, t.d},  // transposed
  };
  for (const FourfoldCounts& mirror : mirrors) {
    const std::optional<double> mirrored = sumvane::FisherExactP(mirror);
    FUZZ_CHECK(mirrored.has_value());
    FUZZ_CHECK(Close(*mirrored, p));
  }

  const std::optional<double> binomial = sumvane::PairedBinomialP(t.b, t.c);
  FUZZ_CHECK(binomial.has_value() == (t.b + t.c > 0));
  if (binomial) FUZZ_CHECK(*binomial >= 0.0 && *binomial <= 1.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int counts[4] = {};
  for (std::size_t i = 0; i < 4; ++i) {
    const unsigned low = 2 * i < size ? data[2 * i] : 0;
    const unsigned high = 2 * i + 1 < size ? data[2 * i + 1] : 0;
    counts[i] = static_cast<int>((low | high << 8) & 0x7FFF);
  }
  const FourfoldCounts table{counts[0], counts[1], counts[2], counts[3]};
  const long total = long{counts[0]} + counts[1] + counts[2] + counts[3];
  if (total <= sumvane::kMaxExactTotal) {
    CheckTable(table);
    return 0;
  }
  FUZZ_CHECK(!sumvane::FisherExactP(table).has_value());
  FourfoldCounts scaled;
  int* cells[4] = {&scaled.a, &scaled.b, &scaled.c, &scaled.d};
  for (std::size_t i = 0; i < 4; ++i) {
    *cells[i] = static_cast<int>(counts[i] * long{sumvane::kMaxExactTotal} / total);
  }
  CheckTable(scaled);
  return 0;
}
