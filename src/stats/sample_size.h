// Planning a study: how many subjects the five designs of a medical
// statistics course need, worked as the textbook works it (the normal-quantile
// formula, rounded up), with the exact answer beside it where there is a sound
// one, the power at a size the user names, and the points of the power curve.
//
// u is the standard normal quantile: u_α/2 = qnorm(1 − α/2) for a two-sided
// test (u_α for a one-sided one) and u_β = qnorm(1 − β). The textbook's
// formulas (n per group where there are two groups):
//   two means     n1 = (1 + 1/k)[(u_α/2 + u_β)σ/δ]², n2 = k·n1 (k = 1: 2[…]²)
//   paired means  n = [(u_α/2 + u_β)σ_d/δ]² pairs
//   two rates     n = [u_α/2·√(2p̄q̄) + u_β·√(π1q1 + π2q2)]²/(π1 − π2)²,
//                 p̄ = (π1 + π2)/2; what R's power.prop.test solves
//   paired rates  n = [u_α/2·√π_d + u_β·√(π_d − δ²)]²/δ² pairs (McNemar's
//                 test; Connor 1987), π_d = π12 + π21, δ = π12 − π21
//   correlation   n = [(u_α/2 + u_β)/C]² + 3, C = ½·ln[(1 + ρ)/(1 − ρ)]
// Beside them: for means the smallest whole size whose power under the
// noncentral t distribution reaches 1 − β, as R's power.t.test solves it; for
// two rates the formula is the equation power.prop.test solves, and beside it
// the size with the continuity correction of Fleiss, Tytun and Ury (1980),
// which the corrected chi-square needs; paired rates and correlation have the
// formula only.
//
// Power under a formula is the formula solved for u_β, Φ(u_β); under the
// noncentral t it is P(T > t_α/2) for the effect's side. Both count the one
// tail, as the textbook and R's power.t.test and power.prop.test do by
// default. Sizes are whole numbers kept in doubles, so no size can overflow.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sumvane {

enum class StudyDesign { kTwoMeans, kPairedMeans, kTwoRates, kPairedRates, kCorrelation };
enum class TestSides { kTwoSided, kOneSided };

// Where two groups are planned (n1 and n2), not pairs or one sample.
bool HasTwoGroups(StudyDesign design);

// The figures a plan is made from. A design reads only its own: δ and σ
// (σ_d for pairs) for means, k for two means, π1 and π2 (π12 and π21, the two
// discordant proportions, for pairs) for rates, ρ for correlation.
struct SampleSizeInputs {
  StudyDesign design = StudyDesign::kTwoMeans;
  TestSides sides = TestSides::kTwoSided;
  double alpha = 0.05;
  double power = 0.90;  // 1 − β
  double delta = 0.0;
  double sigma = 0.0;
  double p1 = 0.0;
  double p2 = 0.0;
  double rho = 0.0;
  double ratio = 1.0;  // k = n2/n1
  // A whole size whose power to show: n1 (n2 = k·n1 rounded up), pairs or n.
  std::optional<double> n;
};

// The smallest size a test of the design can be run with: 2 pairs, 2 per
// group (and n1 large enough that k·n1 is at least 2), 4 for correlation
// (Fisher's z needs n > 3).
double SmallestSize(const SampleSizeInputs& inputs);

// The textbook's answer, every figure at full precision.
struct FormulaSize {
  double uAlpha = 0.0;  // u_α/2, or u_α one-sided
  double uBeta = 0.0;
  double n = 0.0;   // before rounding: n1, pairs or n
  double n1 = 0.0;  // n rounded up
  double n2 = 0.0;  // k·n rounded up (two means), n1 (two rates), 0 (one sample)
  // The parts the formula is built of, where the design has them.
  double pooledRate = 0.0;            // p̄, two rates
  double discordant = 0.0;            // π_d, paired rates
  double discordantDifference = 0.0;  // δ = π12 − π21, paired rates
  double fisherZ = 0.0;               // C, correlation (of |ρ|)
};

enum class SecondMethod { kNone, kNoncentralT, kContinuityCorrection };

enum class SecondGap {
  kNone,
  kNoMethod,  // paired rates, correlation: the formula only
  kTooLarge,  // beyond kLargestExactSize, where t and u no longer differ
  kNoRoot,    // the noncentral t did not give the size
};

// Past this size per group the exact search is not made.
inline constexpr double kLargestExactSize = 1e7;

// The answer beside the formula's.
struct SecondSize {
  SecondMethod method = SecondMethod::kNone;
  SecondGap gap = SecondGap::kNone;
  // The noncentral t: the size, not whole, at which the power is exactly
  // 1 − β (empty when even the smallest size reaches it). The correction:
  // n′ = n/4·[1 + √(1 + 4/(n·|π1 − π2|))]².
  std::optional<double> n;
  std::optional<double> n1;     // whole
  std::optional<double> n2;     // whole, as FormulaSize::n2
  std::optional<double> power;  // the noncentral t's power at n1, n2
};

// The power at the user's size.
struct PowerAtSize {
  double n1 = 0.0;
  double n2 = 0.0;              // as FormulaSize::n2
  double uBeta = 0.0;           // the formula solved for u_β
  double formula = 0.0;         // Φ(u_β)
  std::optional<double> exact;  // the noncentral t's, for means
};

enum class PlanFailure {
  kNone,
  kInvalidInputs,  // CheckSampleSizeInputs finds a fault
  kTooLarge,       // the formula's n beyond kLargestSize
};

// Past this a size is no whole number a double can hold exactly.
inline constexpr double kLargestSize = 1e15;

struct SampleSizePlan {
  SampleSizeInputs inputs;
  PlanFailure failure = PlanFailure::kNone;
  std::optional<FormulaSize> formula;
  SecondSize second;
  std::optional<PowerAtSize> atN;  // when inputs.n is given
};

// Everything a keystroke recomputes; the exact search included.
SampleSizePlan PlanSampleSize(const SampleSizeInputs& inputs);

// Power against size: the formula's power at each size, and the noncentral
// t's for means. The sizes run from SmallestSize to twice the answer (or past
// the user's size by a quarter, or 8 beyond the smallest), every whole size
// when there are at most kPowerCurvePoints of them, else kPowerCurvePoints
// sizes evenly spaced; with k ≠ 1, n2 = k·n1 unrounded along the curve.
inline constexpr int kPowerCurvePoints = 101;
struct PowerCurve {
  std::vector<double> n;  // n1, pairs or n
  std::vector<double> formula;
  std::vector<double> exact;  // as many as n, or none
  double target = 0.0;        // 1 − β
  // The size to mark: the user's, else the exact answer, else the formula's;
  // and its power (exact where there is one).
  double markedN = 0.0;
  double markedPower = 0.0;
};
// Empty when the plan has no formula answer.
std::optional<PowerCurve> PowerCurveOf(const SampleSizePlan& plan);

// Power as the window writes it: "1−β=0.7233", four significant digits;
// "1−β>0.9999" where rounding would make it 1.
std::string PowerFigureText(double power);

}  // namespace sumvane
