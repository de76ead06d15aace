// The figures the report's pictures place, against R (quantile, mean, sd,
// t.test(paired = TRUE), lm, dt, dchisq, qt, qchisq).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "close_to.h"
#include "stats/picture_figures.h"

namespace sumvane {
namespace {

const std::vector<double> kX{12.1, 14.3, 11.8, 13.5, 15.2, 12.9};
const std::vector<double> kY{11.4, 13.1, 12.2, 12.0, 14.1, 12.3};

TEST(PictureFigures, QuantilesAsR) {
  // quantile(c(7, 1, 3, 9, 4, 4, 12.5), q) and quantile(c(2, 8), q).
  const struct {
    std::vector<double> values;
    double q, expected;
  } cases[] = {{{7, 1, 3, 9, 4, 4, 12.5}, 0, 1},
               {{7, 1, 3, 9, 4, 4, 12.5}, 0.25, 3.5},
               {{7, 1, 3, 9, 4, 4, 12.5}, 0.5, 4},
               {{7, 1, 3, 9, 4, 4, 12.5}, 0.75, 8},
               {{7, 1, 3, 9, 4, 4, 12.5}, 1, 12.5},
               {{2, 8}, 0.25, 3.5},
               {{2, 8}, 0.75, 6.5}};
  for (auto c : cases) EXPECT_EQ(Quantile(c.values, c.q), c.expected) << c.q;
  const BoxFigures box = BoxOf({7, 1, 3, 9, 4, 4, 12.5});
  EXPECT_EQ((std::vector{box.lowest, box.lower, box.median, box.upper, box.highest}),
            (std::vector<double>{1, 3.5, 4, 8, 12.5}));
}

TEST(PictureFigures, SpreadDifferencesAndLineAsR) {
  const PictureSpread spread = SpreadOf(kX);
  ExpectNear(spread.mean, 13.3);
  ExpectNear(spread.sd, 1.30384048104053);
  // A single value has no spread to draw.
  EXPECT_EQ(SpreadOf(std::vector<double>{5}).sd, 0);
  const DifferenceFigures d = DifferencesOf(kX, kY);
  ASSERT_EQ(d.differences.size(), 6u);
  ExpectNear(d.differences[2], -0.4);
  ExpectNear(d.mean, 0.7833333333333335);
  ExpectNear(d.low, 0.0827482511880447);
  ExpectNear(d.high, 1.4839184154786227);
  const PictureLine line = LeastSquaresLine(kX, kY);
  EXPECT_EQ(line.fault, PictureLine::Fault::kNone);
  ExpectNear(line.slope, 0.634117647058823);
  ExpectNear(line.intercept, 4.082901960784323);
  EXPECT_EQ(LeastSquaresLine(std::vector<double>{3, 3, 3}, kY).fault,
            PictureLine::Fault::kNoSpread);
  EXPECT_EQ(LeastSquaresLine(std::vector<double>{1, HUGE_VAL, 3}, kY).fault,
            PictureLine::Fault::kNotFinite);
}

TEST(PictureFigures, RatesAsR) {
  // m <- matrix(c(40, 12, 22, 31), 2, byrow = TRUE): prop.table(m, 1)[, 1] * 100;
  // rowSums(m)[1] / n, colSums(m)[1] / n, m[1, 1] / n, m[1, 2] / n, m[2, 1] / n.
  const std::array<double, 4> cells{40, 12, 22, 31};
  const std::array<Rate, 2> rows = RowRates(cells);
  ExpectNear(rows[0].percent, 76.9230769230769);
  ExpectNear(rows[1].rate, 0.415094339622642);
  EXPECT_EQ(rows[1].whole, 53);
  const PairedRates paired = PairedRatesOf(cells);
  ExpectNear(paired.rates[0].rate, 0.495238095238095);
  ExpectNear(paired.rates[1].rate, 0.590476190476190);
  ExpectNear(paired.both, 0.380952380952381);
  ExpectNear(paired.onlyFirst, 0.114285714285714);
  ExpectNear(paired.onlySecond, 0.209523809523810);
  // A row without cases has no rate to draw, and no figure that is not one.
  const std::array<Rate, 2> empty = RowRates({0, 0, 3, 1});
  EXPECT_EQ(empty[0].rate, 0);
  EXPECT_EQ(empty[0].percent, 0);
}

TEST(PictureFigures, NullLawsAsR) {
  using Law = TestFacts::Law;
  // dt(0.7, 20), dt(0, 5), dchisq(2.5, 3), dchisq(0.3, 1).
  ExpectNear(Density({Law::kT, 20}, 0.7), 0.305568112301871);
  ExpectNear(Density({Law::kT, 5}, 0), 0.379606689822494);
  ExpectNear(Density({Law::kChiSquare, 3}, 2.5), 0.180722392668181);
  ExpectNear(Density({Law::kChiSquare, 1}, 0.3), 0.626910099227521);
  EXPECT_EQ(Density({Law::kChiSquare, 1}, 0), HUGE_VAL);
  // The critical value at α, the x past which 2×10⁻⁴ remains, the peak.
  const struct {
    NullLaw law;
    double alpha, critical, far, peak;
  } cases[] = {
      // qt(0.975, 20), qt(1 - 2e-4, 20), dt(0, 20)
      {{Law::kT, 20}, 0.05, 2.085963447265865, 4.241468087435938, 0.393988585711433},
      {{Law::kT, 7}, 0.01, 3.499483297350493, 6.310769629288997, 0.384991450832267},
      // qchisq(0.95, 1), qchisq(1 - 2e-4, 1), dchisq(0.12 * qchisq(0.95, 1), 1)
      {{Law::kChiSquare, 1}, 0.05, 3.84145882069412, 13.83108361909133, 0.46662917610814},
      // qchisq(0.95, 4), ..., dchisq(2, 4): the mode ν − 2.
      {{Law::kChiSquare, 4}, 0.05, 9.487729036781154, 22.004581431970760, 0.183939720585721},
  };
  for (const auto& c : cases) {
    const NullLawFigures figures = FiguresOf(c.law, c.alpha);
    ExpectNear(figures.critical, c.critical);
    ExpectNear(figures.far, c.far);
    ExpectNear(figures.peak, c.peak);
  }
}

TEST(PictureFigures, CurvesAsR) {
  const NullLaw chi{TestFacts::Law::kChiSquare, 1};
  // Capped at 0.05: dchisq(c(2.5, 5, 7.5, 10), 1) are 0.0723, 0.0146, ...
  const std::vector<CurvePoint> edge = DensityEdge(chi, 0, 10, 5, 0.05);
  ASSERT_EQ(edge.size(), 5u);
  EXPECT_EQ(edge[0].y, 0.05);
  EXPECT_EQ(edge[1].y, 0.05);
  EXPECT_EQ(edge[2].x, 5);
  ExpectNear(edge[2].y, 0.014644982561926489);
  ExpectNear(edge[4].y, 0.000850036660252034);
  // The curve starts just right of 0, at 10 / (4 × 5), and leaves out what
  // rises above the cap: dchisq(0.5, 1) = 0.4394, dchisq(2.5, 1) = 0.0723.
  const std::vector<CurvePoint> curve = DensityCurve(chi, 0, 10, 5, 0.1);
  ASSERT_EQ(curve.size(), 4u);
  EXPECT_EQ(curve[0].x, 2.5);
  ExpectNear(curve[0].y, 0.072288957067272508);
  ASSERT_EQ(DensityCurve(chi, 0, 10, 5, 1).size(), 5u);
  EXPECT_EQ(DensityCurve(chi, 0, 10, 5, 1)[0].x, 0.5);
  ExpectNear(DensityCurve(chi, 0, 10, 5, 1)[0].y, 0.439391289467722435);
}

}  // namespace
}  // namespace sumvane
