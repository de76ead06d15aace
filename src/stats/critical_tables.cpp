#include "stats/critical_tables.h"

#include <array>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace sumvane {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Column probabilities as the headers print them and as the cells use them.
constexpr std::array<double, 9> kTwoSided = {0.50, 0.20,  0.10,  0.05, 0.02,
                                             0.01, 0.005, 0.002, 0.001};
constexpr std::array<double, 13> kUpperTail = {0.995, 0.990, 0.975, 0.950, 0.900, 0.750, 0.500,
                                               0.250, 0.100, 0.050, 0.025, 0.010, 0.005};

constexpr std::string_view kTwoSidedLabels =
    "0.50\t0.20\t0.10\t0.05\t0.02\t0.01\t0.005\t0.002\t0.001";
constexpr std::string_view kOneSidedLabels =
    "0.25\t0.10\t0.05\t0.025\t0.01\t0.005\t0.0025\t0.001\t0.0005";
constexpr std::string_view kUpperTailLabels =
    "0.995\t0.990\t0.975\t0.950\t0.900\t0.750\t0.500\t0.250\t0.100\t0.050\t0.025\t0.010\t0.005";

void AppendLine(std::string& text, std::string_view line) {
  text += line;
  text += kLineEnd;
}

void AppendRule(std::string& text, int dashes) {
  for (int i = 0; i < dashes; ++i) text += "—";
  text += kLineEnd;
}

// value * 10^decimals rounded half up, decided on the exact binary value: the
// product's rounding error is recovered with fma, so a value just above a
// half-way point is never pulled below it by the scaling. Expects value >= 0.
long long ScaledHalfUp(double value, int decimals) {
  double scale = 1.0;
  for (int i = 0; i < decimals; ++i) scale *= 10.0;
  const double product = value * scale;
  const double error = std::fma(value, scale, -product);  // product + error is exact
  const double whole = std::floor(product);
  const double above_half = (product - whole) - 0.5;
  // Whenever above_half is not zero it is at least one unit of the product's
  // last place, which outweighs the error (at most half a unit).
  const bool up = above_half > 0.0 || (above_half == 0.0 && error >= 0.0);
  return static_cast<long long>(whole) + (up ? 1 : 0);
}

std::string FixedText(long long scaled, int decimals) {
  long long divisor = 1;
  for (int i = 0; i < decimals; ++i) divisor *= 10;
  std::string fraction = std::to_string(scaled % divisor);
  fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
  return std::to_string(scaled / divisor) + "." + fraction;
}

std::string HalfUpText(double value, int decimals) {
  return FixedText(ScaledHalfUp(value, decimals), decimals);
}

// Boost evaluates double functions in long double by default, which costs the
// window several milliseconds of start-up; double precision is ample for cells
// rounded to at most four decimals.
using DoublePolicy = boost::math::policies::policy<boost::math::policies::promote_double<false>>;

// The t exceeded in absolute value with probability alpha.
double TwoSidedT(int df, double alpha) {
  namespace bm = boost::math;
  return bm::quantile(
      bm::complement(bm::students_t_distribution<double, DoublePolicy>(df), alpha / 2.0));
}

double TwoSidedNormal(double alpha) {
  namespace bm = boost::math;
  return bm::quantile(bm::complement(bm::normal_distribution<double, DoublePolicy>(), alpha / 2.0));
}

double UpperChiSquare(int df, double p) {
  namespace bm = boost::math;
  return bm::quantile(bm::complement(bm::chi_squared_distribution<double, DoublePolicy>(df), p));
}

std::vector<int> TDegrees() {
  std::vector<int> degrees;
  for (int df = 1; df <= 40; ++df) degrees.push_back(df);
  for (int df = 50; df <= 100; df += 10) degrees.push_back(df);
  for (int df : {200, 500, 1000}) degrees.push_back(df);
  return degrees;
}

std::string BuildTTable() {
  std::string text;
  AppendLine(text, "      t界值表");
  AppendRule(text, 39);
  AppendLine(text, "双侧    0.50    0.20    0.10    0.05    0.02    0.01    0.005   0.002   0.001");
  AppendLine(text, std::string("单侧    ") + std::string(kOneSidedLabels));
  AppendRule(text, 39);
  for (int df : TDegrees()) {
    std::string line = std::to_string(df);
    for (double alpha : kTwoSided) line += "\t" + HalfUpText(TwoSidedT(df, alpha), 3);
    AppendLine(text, line);
  }
  std::string limit = "∝";
  for (double alpha : kTwoSided) limit += "\t" + HalfUpText(TwoSidedNormal(alpha), 4);
  AppendLine(text, limit);
  AppendRule(text, 39);
  return text;
}

std::string BuildChiSquareTable() {
  std::vector<int> degrees;
  for (int df = 1; df <= 30; ++df) degrees.push_back(df);
  for (int df = 40; df <= 100; df += 10) degrees.push_back(df);

  std::string text;
  AppendLine(text, "      x2界值表");
  AppendRule(text, 55);
  AppendLine(text, "\t" + std::string(kUpperTailLabels));
  AppendRule(text, 55);
  for (int df : degrees) {
    std::string line = std::to_string(df);
    for (double p : kUpperTail) {
      const long long scaled = ScaledHalfUp(UpperChiSquare(df, p), 2);
      // 0.00 would read as an impossible critical value; the ellipsis says "tiny".
      line += "\t" + (scaled == 0 ? std::string("…") : FixedText(scaled, 2));
    }
    AppendLine(text, line);
  }
  AppendRule(text, 55);
  return text;
}

std::string BuildRTable() {
  std::string text;
  AppendLine(text, "        r界值表");
  AppendRule(text, 39);
  AppendLine(text, "双侧\t" + std::string(kTwoSidedLabels));
  AppendLine(text, "单侧\t" + std::string(kOneSidedLabels));
  AppendRule(text, 39);
  for (int df = 1; df <= 50; ++df) {
    std::string line = std::to_string(df);
    for (double alpha : kTwoSided) {
      // From the unrounded t, so the r column carries no rounding of its own source.
      const double t = TwoSidedT(df, alpha);
      line += "\t" + HalfUpText(t / std::sqrt(t * t + df), 3);
    }
    AppendLine(text, line);
  }
  AppendRule(text, 39);
  return text;
}

}  // namespace

const std::string& TTableText() {
  static const std::string text = BuildTTable();
  return text;
}

const std::string& ChiSquareTableText() {
  static const std::string text = BuildChiSquareTable();
  return text;
}

const std::string& RTableText() {
  static const std::string text = BuildRTable();
  return text;
}

}  // namespace sumvane
