// Exact decimals and their sums on any texts. The input is split at ';' into
// cells, taken in turn as x and y. Each cell's exact form must be the number
// its text writes (worked out here again from the characters) and convert to
// ReadNumber's double; every sum must equal a plain big-integer sum of the
// same decimals; no figure may be NaN or infinite.
#include "stats/exact_sums.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "stats/moments.h"
#include "stats/number.h"

namespace {

using sumvane::BigInt;
using sumvane::Decimal;
using sumvane::Observation;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

BigInt PowerOfTen(long long k) {
  return boost::multiprecision::pow(BigInt(10), static_cast<unsigned>(k));
}

// The number a text writes, as whole digits times a power of ten, with the
// count of digits from the first to the last non-zero one; none for the "&"
// forms.
struct Written {
  std::string digits;  // without leading zeros
  long long exponent = 0;
  long long significant = 0;
  bool negative = false;
};

std::optional<Written> WrittenNumber(std::string_view text) {
  std::string bare;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') bare += c;
  }
  if (!bare.empty() && bare[0] == '&') return std::nullopt;
  Written w;
  std::size_t i = 0;
  if (i < bare.size() && (bare[i] == '+' || bare[i] == '-')) w.negative = bare[i++] == '-';
  bool point = false;
  for (; i < bare.size() && (IsDigit(bare[i]) || (bare[i] == '.' && !point)); ++i) {
    if (bare[i] == '.') {
      point = true;
    } else {
      if (point) --w.exponent;
      if (!w.digits.empty() || bare[i] != '0') w.digits += bare[i];
    }
  }
  if (i < bare.size() && std::string_view("EeDd").find(bare[i]) != std::string_view::npos) {
    std::size_t j = i + 1;
    const bool negative = j < bare.size() && bare[j] == '-';
    if (j < bare.size() && (bare[j] == '+' || bare[j] == '-')) ++j;
    long long e = 0;
    for (; j < bare.size() && IsDigit(bare[j]); ++j)
      e = std::min(e * 10 + (bare[j] - '0'), 1LL << 50);
    w.exponent += negative ? -e : e;
  }
  const std::size_t last = w.digits.find_last_not_of('0');
  w.significant = last == std::string::npos ? 0 : static_cast<long long>(last) + 1;
  return w;
}

// a · 10^ea == b · 10^eb
bool SameValue(const BigInt& a, long long ea, const BigInt& b, long long eb) {
  const long long low = std::min(ea, eb);
  return a * PowerOfTen(ea - low) == b * PowerOfTen(eb - low);
}

void CheckCell(std::string_view text, const Observation& value) {
  FUZZ_CHECK(value.Value() == sumvane::ReadNumber(text));
  const std::optional<Written> w = WrittenNumber(text);
  if (!w) {
    FUZZ_CHECK(!value.HasExactForm());
    return;
  }
  // The power of ten of the written number once its trailing zeros are gone.
  const long long trailing = static_cast<long long>(w->digits.size()) - w->significant;
  const long long power = w->significant == 0 ? 0 : w->exponent + trailing;
  const bool short_form =
      w->significant <= sumvane::kMaxExactDigits && std::abs(power) <= sumvane::kMaxExactExponent;
  FUZZ_CHECK(value.HasExactForm() == short_form);
  if (!short_form) return;
  const Decimal d = value.ExactForm();
  FUZZ_CHECK(d.exponent == power && (d.mantissa == 0 || d.mantissa % 10 != 0));
  BigInt written(w->significant == 0 ? std::string("0") : w->digits.substr(0, w->significant));
  if (w->negative) written = -written;
  FUZZ_CHECK(BigInt(d.mantissa) == written);
}

// The straightforward sums: every value at the lowest power of ten of all.
struct Reference {
  int exponent = 0;
  BigInt sum, squares;
};

int Lowest(const std::vector<Decimal>& values) {
  int lowest = sumvane::kMaxExactExponent;
  for (const Decimal& d : values) lowest = std::min(lowest, d.exponent);
  return lowest;
}

BigInt Whole(const Decimal& d, int exponent) {
  return d.mantissa * PowerOfTen(d.exponent - exponent);
}

void CheckColumn(const std::optional<sumvane::ColumnSums>& sums,
                 const std::vector<Decimal>& values) {
  FUZZ_CHECK(sums && sums->n == values.size());
  const int e = Lowest(values);
  BigInt sum = 0;
  BigInt squares = 0;
  for (const Decimal& d : values) {
    sum += Whole(d, e);
    squares += Whole(d, e) * Whole(d, e);
  }
  FUZZ_CHECK(SameValue(sums->sum, sums->exponent, sum, e));
  FUZZ_CHECK(SameValue(sums->squares, 2LL * sums->exponent, squares, 2LL * e));
}

void CheckFigure(const std::optional<double>& figure) {
  FUZZ_CHECK(!figure || std::isfinite(*figure));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<Observation> all, x, y;
  for (std::size_t start = 0; start <= input.size();) {
    const std::size_t end = std::min(input.find(';', start), input.size());
    const std::string_view text = input.substr(start, end - start);
    const Observation value = sumvane::ReadObservation(text);
    CheckCell(text, value);
    all.push_back(value);
    (all.size() % 2 == 1 ? x : y).push_back(value);
    start = end + 1;
  }
  x.resize(y.size());

  const bool exact =
      std::all_of(all.begin(), all.end(), [](const Observation& v) { return v.HasExactForm(); });
  const bool pairsExact =
      std::all_of(x.begin(), x.end(), [](const Observation& v) { return v.HasExactForm(); }) &&
      std::all_of(y.begin(), y.end(), [](const Observation& v) { return v.HasExactForm(); });
  FUZZ_CHECK(sumvane::SumColumn(all).has_value() == exact);
  FUZZ_CHECK(sumvane::SumPairs(x, y).has_value() == pairsExact);
  FUZZ_CHECK(sumvane::SumDifferences(x, y).has_value() == pairsExact);
  if (exact) {
    std::vector<Decimal> decimals;
    for (const Observation& v : all) decimals.push_back(v.ExactForm());
    CheckColumn(sumvane::SumColumn(all), decimals);
  }
  if (pairsExact) {
    // Differences at the lowest power of both columns are whole numbers too.
    std::vector<Decimal> xs, ys, differences;
    for (const Observation& v : x) xs.push_back(v.ExactForm());
    for (const Observation& v : y) ys.push_back(v.ExactForm());
    std::vector<Decimal> both = xs;
    both.insert(both.end(), ys.begin(), ys.end());
    const int e = Lowest(both);
    const auto pairs = sumvane::SumPairs(x, y);
    FUZZ_CHECK(pairs);
    const auto sums = sumvane::SumDifferences(x, y);
    FUZZ_CHECK(sums && sums->n == x.size());
    BigInt sum = 0, squares = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
      const BigInt d = Whole(xs[i], e) - Whole(ys[i], e);
      sum += d;
      squares += d * d;
    }
    FUZZ_CHECK(SameValue(sums->sum, sums->exponent, sum, e));
    FUZZ_CHECK(SameValue(sums->squares, 2LL * sums->exponent, squares, 2LL * e));

    CheckColumn(pairs->x, xs);
    CheckColumn(pairs->y, ys);
    const int ex = Lowest(xs);
    const int ey = Lowest(ys);
    BigInt products = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) products += Whole(xs[i], ex) * Whole(ys[i], ey);
    FUZZ_CHECK(
        SameValue(pairs->products, pairs->x.exponent + pairs->y.exponent, products, ex + ey));
  }

  const sumvane::MeanAndSd column = sumvane::DescribeValues(all);
  const sumvane::MeanAndSd differences = sumvane::DescribeDifferences(x, y);
  const sumvane::FittedLine line = sumvane::FitLine(x, y);
  for (const auto& figure : {column.mean, column.sd, differences.mean, differences.sd, line.r,
                             line.slope, line.intercept}) {
    CheckFigure(figure);
  }
  FUZZ_CHECK(!line.r || std::fabs(*line.r) <= 1.0);
  return 0;
}
