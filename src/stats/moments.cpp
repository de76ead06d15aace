#include "stats/moments.h"

#include "stats/exact_sums.h"
#include "stats/extended_moments.h"
#include "stats/rational_rounding.h"

namespace sumvane {
namespace {

// With Σx = S · 10^e and Σx² = Q · 10^2e: the mean is S / n · 10^e, and
// (n - 1) · sd² = Σx² - (Σx)² / n = (n · Q - S²) / n · 10^2e.
MeanAndSd FiguresOf(const ColumnSums& sums) {
  if (sums.n == 0) return {};
  const BigInt n = sums.n;
  MeanAndSd figures{RoundQuotient(sums.sum, n, sums.exponent), std::nullopt};
  if (sums.n >= 2) {
    figures.sd = RoundRoot(n * sums.squares - sums.sum * sums.sum, n * (n - 1), 2 * sums.exponent);
  }
  return figures;
}

// Every quantity is n times its textbook self, in units of the columns'
// powers of ten, so that it stays a whole number: lxx = n · Sxx, lxy = n · Sxy.
// b = Sxy / Sxx, and a = ȳ - b · x̄ reduces to (Σy · Σx² - Σx · Σxy) / (n · Sxx).
FittedLine FiguresOf(const PairSums& sums) {
  const BigInt n = sums.x.n;
  const BigInt lxx = n * sums.x.squares - sums.x.sum * sums.x.sum;
  if (lxx == 0) return {};
  const BigInt lyy = n * sums.y.squares - sums.y.sum * sums.y.sum;
  const BigInt lxy = n * sums.products - sums.x.sum * sums.y.sum;
  FittedLine line;
  line.slope = RoundQuotient(lxy, lxx, sums.y.exponent - sums.x.exponent);
  line.intercept =
      RoundQuotient(sums.y.sum * sums.x.squares - sums.x.sum * sums.products, lxx, sums.y.exponent);
  // r = lxy / sqrt(lxx · lyy), rounded once as the root of its square.
  if (lyy != 0) {
    if (const auto size = RoundRoot(lxy * lxy, lxx * lyy, 0)) line.r = lxy < 0 ? -*size : *size;
  }
  return line;
}

// In the same units as the line: Lxx = n · lxx, Lyy = n · lyy, Lxy = n · lxy,
// so lxy²/lxx = Lxy² / (n · Lxx) and lyy − lxy²/lxx = (Lyy · Lxx − Lxy²) / (n · Lxx).
PairMoments MomentsOf(const PairSums& sums) {
  PairMoments moments;
  moments.n = sums.x.n;
  if (sums.x.n == 0) return moments;
  const BigInt n = sums.x.n;
  const int ex = sums.x.exponent;
  const int ey = sums.y.exponent;
  const BigInt lxx = n * sums.x.squares - sums.x.sum * sums.x.sum;
  const BigInt lyy = n * sums.y.squares - sums.y.sum * sums.y.sum;
  const BigInt lxy = n * sums.products - sums.x.sum * sums.y.sum;
  moments.meanX = RoundQuotient(sums.x.sum, n, ex);
  moments.meanY = RoundQuotient(sums.y.sum, n, ey);
  moments.lxx = RoundQuotient(lxx, n, 2 * ex);
  moments.lyy = RoundQuotient(lyy, n, 2 * ey);
  moments.lxy = RoundQuotient(lxy, n, ex + ey);
  moments.line = FiguresOf(sums);
  if (lxx == 0) return moments;
  const BigInt explained = lxy * lxy;
  moments.regressionSquares = RoundQuotient(explained, n * lxx, 2 * ey);
  moments.residualSquares = RoundQuotient(lyy * lxx - explained, n * lxx, 2 * ey);
  if (lyy != 0) moments.rSquared = RoundQuotient(explained, lxx * lyy, 0);
  return moments;
}

}  // namespace

MeanAndSd DescribeValues(std::span<const Observation> values) {
  if (const auto sums = SumColumn(values)) return FiguresOf(*sums);
  return ExtendedMeanAndSd(values);
}

MeanAndSd DescribeDifferences(std::span<const Observation> x, std::span<const Observation> y) {
  if (x.size() != y.size()) return {};
  if (const auto sums = SumDifferences(x, y)) return FiguresOf(*sums);
  return ExtendedDifferences(x, y);
}

FittedLine FitLine(std::span<const Observation> x, std::span<const Observation> y) {
  if (x.size() != y.size()) return {};
  if (const auto sums = SumPairs(x, y)) return FiguresOf(*sums);
  return ExtendedLine(x, y);
}

PairMoments DescribePairs(std::span<const Observation> x, std::span<const Observation> y) {
  if (x.size() != y.size()) return {};
  if (const auto sums = SumPairs(x, y)) return MomentsOf(*sums);
  return ExtendedPairMoments(x, y);
}

}  // namespace sumvane
