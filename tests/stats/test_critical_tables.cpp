// The tables are checked cell by cell against quantiles found here by bisection
// on distribution functions written from their textbook series and continued
// fractions, so a fault in the library quantiles or in the rounding shows up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "stats/critical_tables.h"

namespace sumvane {
namespace {

const std::vector<double> kTwoSided = {0.5, 0.2, 0.1, 0.05, 0.02, 0.01, 0.005, 0.002, 0.001};
const std::vector<double> kUpperTail = {0.995, 0.99, 0.975, 0.95,  0.9,  0.75, 0.5,
                                        0.25,  0.1,  0.05,  0.025, 0.01, 0.005};

// Lines split at "\r\n"; a lone "\r" or "\n" anywhere, or text after the last
// line end, fails the test.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "text does not end with CR LF";
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
  }
  return lines;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = line.find('\t', start);
    fields.push_back(line.substr(start, end - start));
    if (end == std::string::npos) return fields;
    start = end + 1;
  }
}

std::string Repeat(std::string_view piece, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += piece;
  return out;
}

// Regularized incomplete beta I_x(a, b) by the modified Lentz continued
// fraction, with the symmetry I_x(a, b) = 1 - I_(1-x)(b, a) where it converges
// faster. one_minus_x is passed separately to keep it exact near x = 1.
double BetaFraction(double a, double b, double x) {
  const double tiny = 1e-300;
  double c = 1.0;
  double d = 1.0 - (a + b) * x / (a + 1.0);
  if (std::fabs(d) < tiny) d = tiny;
  d = 1.0 / d;
  double h = d;
  for (int m = 1; m < 100000; ++m) {
    for (int step = 0; step < 2; ++step) {
      const double numerator = step == 0
                                   ? m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m))
                                   : -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1));
      d = 1.0 + numerator * d;
      if (std::fabs(d) < tiny) d = tiny;
      c = 1.0 + numerator / c;
      if (std::fabs(c) < tiny) c = tiny;
      d = 1.0 / d;
      h *= d * c;
      if (step == 1 && std::fabs(d * c - 1.0) < 1e-16) return h;
    }
  }
  ADD_FAILURE() << "beta continued fraction did not converge";
  return h;
}

double RegularizedBeta(double a, double b, double x, double one_minus_x) {
  if (x <= 0.0) return 0.0;
  if (one_minus_x <= 0.0) return 1.0;
  const double log_front = std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) +
                           b * std::log(one_minus_x);
  if (x < (a + 1.0) / (a + b + 2.0)) return std::exp(log_front) * BetaFraction(a, b, x) / a;
  return 1.0 - std::exp(log_front) * BetaFraction(b, a, one_minus_x) / b;
}

// P(|T| >= t) for Student's t with df degrees of freedom.
double TwoSidedTProbability(double df, double t) {
  const double t2 = t * t;
  return RegularizedBeta(df / 2.0, 0.5, df / (df + t2), t2 / (df + t2));
}

// P(|R| >= r) for the sample correlation of n = df + 2 uncorrelated pairs:
// R^2 follows Beta(1/2, df/2), so the tail is I_(1-r^2)(df/2, 1/2).
double TwoSidedRProbability(double df, double r) {
  return RegularizedBeta(df / 2.0, 0.5, (1.0 - r) * (1.0 + r), r * r);
}

// Upper regularized incomplete gamma Q(a, x): the series for P below a + 1,
// Lentz's continued fraction for Q above.
double UpperGamma(double a, double x) {
  if (x <= 0.0) return 1.0;
  const double log_front = a * std::log(x) - x - std::lgamma(a);
  if (x < a + 1.0) {
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < 100000 && std::fabs(term) > std::fabs(sum) * 1e-17; ++n) {
      term *= x / (a + n);
      sum += term;
    }
    return 1.0 - std::exp(log_front) * sum;
  }
  const double tiny = 1e-300;
  double b = x + 1.0 - a;
  double c = 1.0 / tiny;
  double d = 1.0 / b;
  double h = d;
  for (int i = 1; i < 100000; ++i) {
    const double an = -i * (i - a);
    b += 2.0;
    d = an * d + b;
    if (std::fabs(d) < tiny) d = tiny;
    c = b + an / c;
    if (std::fabs(c) < tiny) c = tiny;
    d = 1.0 / d;
    h *= d * c;
    if (std::fabs(d * c - 1.0) < 1e-16) break;
  }
  return std::exp(log_front) * h;
}

// The x in [low, high] at which a falling tail probability equals p, to the
// last bit the bisection can resolve.
double FallingRoot(const std::function<double(double)>& tail, double p, double low, double high) {
  for (;;) {
    const double mid = low + (high - low) / 2.0;
    if (mid <= low || mid >= high) return mid;
    (tail(mid) > p ? low : high) = mid;
  }
}

// The texts that a correct table may print for a value known to about 1e-9:
// one text, or both neighbours when the value lies that close to a half-way point.
struct Accepted {
  std::string first;
  std::string second;
  bool Contains(const std::string& text) const { return text == first || text == second; }
};

std::string Fixed(double scaled, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, scaled / std::pow(10.0, decimals));
  return buffer;
}

int near_boundary_cells = 0;

Accepted AcceptedTexts(double value, int decimals, bool dots_for_zero = false) {
  const double scaled = value * std::pow(10.0, decimals);
  const double tolerance = 1e-9 * std::max(1.0, value) * std::pow(10.0, decimals);
  const double low = std::floor(scaled + 0.5 - tolerance);
  const double high = std::floor(scaled + 0.5 + tolerance);
  if (low != high) ++near_boundary_cells;
  auto text = [&](double n) {
    return dots_for_zero && n == 0.0 ? std::string("…") : Fixed(n, decimals);
  };
  return {text(low), text(high)};
}

struct TableCase {
  const char* name;
  const std::string& (*text)();
  std::size_t lines;
  std::vector<std::string> frame;  // title, rule, headers, rule, in order
  std::size_t fields;
};

std::vector<TableCase> Cases() {
  const std::string short_rule = Repeat("—", 39);
  const std::string long_rule = Repeat("—", 55);
  return {
      {"t",
       &TTableText,
       56,
       {"      t界值表", short_rule,
        "双侧    0.50    0.20    0.10    0.05    0.02    0.01    0.005   0.002   0.001",
        "单侧    0.25\t0.10\t0.05\t0.025\t0.01\t0.005\t0.0025\t0.001\t0.0005", short_rule},
       10},
      {"chi-square",
       &ChiSquareTableText,
       42,
       {"      x2界值表", long_rule,
        "\t0.995\t0.990\t0.975\t0.950\t0.900\t0.750\t0.500\t0.250\t0.100\t0.050\t0.025\t0.010\t0."
        "005",
        long_rule},
       14},
      {"r",
       &RTableText,
       56,
       {"        r界值表", short_rule,
        "双侧\t0.50\t0.20\t0.10\t0.05\t0.02\t0.01\t0.005\t0.002\t0.001",
        "单侧\t0.25\t0.10\t0.05\t0.025\t0.01\t0.005\t0.0025\t0.001\t0.0005", short_rule},
       10},
  };
}

TEST(CriticalTables, LayoutOfEveryTable) {
  for (const TableCase& table : Cases()) {
    SCOPED_TRACE(table.name);
    const std::string& text = table.text();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), table.lines);
    for (std::size_t i = 0; i < table.frame.size(); ++i) EXPECT_EQ(lines[i], table.frame[i]);
    EXPECT_EQ(lines.back(), table.frame[1]);
    for (std::size_t i = table.frame.size(); i + 1 < lines.size(); ++i) {
      EXPECT_EQ(SplitTabs(lines[i]).size(), table.fields) << lines[i];
    }
  }
}

TEST(CriticalTables, BuiltOnceAndSharedBetweenCalls) {
  EXPECT_EQ(&TTableText(), &TTableText());
  EXPECT_EQ(&ChiSquareTableText(), &ChiSquareTableText());
  EXPECT_EQ(&RTableText(), &RTableText());
}

std::string DataLine(const std::string& text, std::size_t first_data, std::size_t row) {
  const std::vector<std::string> lines = SplitLines(text);
  return first_data + row < lines.size() ? lines[first_data + row] : std::string();
}

TEST(CriticalTables, KnownRows) {
  struct Row {
    const std::string& (*text)();
    std::size_t first_data;
    std::size_t row;
    const char* line;
  };
  const Row rows[] = {
      {&TTableText, 5, 9, "10\t0.700\t1.372\t1.812\t2.228\t2.764\t3.169\t3.581\t4.144\t4.587"},
      {&TTableText, 5, 49,
       "∝\t0.6745\t1.2816\t1.6449\t1.9600\t2.3263\t2.5758\t2.8070\t3.0902\t3.2905"},
      {&ChiSquareTableText, 4, 0,
       "1\t…\t…\t…\t…\t0.02\t0.10\t0.45\t1.32\t2.71\t3.84\t5.02\t6.63\t7.88"},
      {&ChiSquareTableText, 4, 9,
       "10\t2.16\t2.56\t3.25\t3.94\t4.87\t6.74\t9.34\t12.55\t15.99\t18.31\t20.48\t23.21\t25.19"},
      {&RTableText, 5, 0, "1\t0.707\t0.951\t0.988\t0.997\t1.000\t1.000\t1.000\t1.000\t1.000"},
      {&RTableText, 5, 9, "10\t0.216\t0.398\t0.497\t0.576\t0.658\t0.708\t0.750\t0.795\t0.823"},
  };
  for (const Row& row : rows) EXPECT_EQ(DataLine(row.text(), row.first_data, row.row), row.line);
}

// Well-known printed table values, as a check that does not depend on the
// distribution functions of this file either.
TEST(CriticalTables, PublishedValues) {
  struct Cell {
    const std::string& (*text)();
    std::size_t first_data;
    const char* df;
    std::size_t column;  // 1-based, after the df field
    const char* value;
  };
  const Cell cells[] = {
      {&TTableText, 5, "1", 4, "12.706"},
      {&TTableText, 5, "1", 6, "63.657"},
      {&TTableText, 5, "1", 9, "636.619"},
      {&TTableText, 5, "10", 4, "2.228"},
      {&TTableText, 5, "30", 4, "2.042"},
      {&TTableText, 5, "60", 6, "2.660"},
      {&TTableText, 5, "1000", 4, "1.962"},
      {&ChiSquareTableText, 4, "1", 10, "3.84"},
      {&ChiSquareTableText, 4, "10", 10, "18.31"},
      {&ChiSquareTableText, 4, "30", 12, "50.89"},
      {&ChiSquareTableText, 4, "100", 10, "124.34"},
      {&ChiSquareTableText, 4, "100", 1, "67.33"},
      {&RTableText, 5, "1", 4, "0.997"},
      {&RTableText, 5, "10", 4, "0.576"},
      {&RTableText, 5, "20", 6, "0.537"},
      {&RTableText, 5, "50", 4, "0.273"},
  };
  for (const Cell& cell : cells) {
    SCOPED_TRACE(std::string(cell.df) + " column " + std::to_string(cell.column));
    const std::vector<std::string> lines = SplitLines(cell.text());
    bool found = false;
    for (std::size_t i = cell.first_data; i < lines.size(); ++i) {
      const std::vector<std::string> fields = SplitTabs(lines[i]);
      if (fields[0] != cell.df) continue;
      found = true;
      ASSERT_GT(fields.size(), cell.column);
      EXPECT_EQ(fields[cell.column], cell.value);
    }
    EXPECT_TRUE(found);
  }
}

// Checks every data line's label and cells against expected[row][column].
void ExpectCells(const std::string& text, std::size_t first_data,
                 const std::vector<std::string>& labels,
                 const std::vector<std::vector<Accepted>>& expected) {
  const std::vector<std::string> lines = SplitLines(text);
  ASSERT_EQ(lines.size(), first_data + labels.size() + 1);
  for (std::size_t row = 0; row < labels.size(); ++row) {
    const std::vector<std::string> fields = SplitTabs(lines[first_data + row]);
    ASSERT_EQ(fields.size(), expected[row].size() + 1);
    EXPECT_EQ(fields[0], labels[row]);
    for (std::size_t column = 0; column < expected[row].size(); ++column) {
      const Accepted& accepted = expected[row][column];
      EXPECT_TRUE(accepted.Contains(fields[column + 1]))
          << "row " << labels[row] << " column " << column + 1 << ": " << fields[column + 1]
          << " expected " << accepted.first;
    }
  }
}

TEST(CriticalTables, EveryCellMatchesAnIndependentQuantile) {
  near_boundary_cells = 0;

  std::vector<int> t_degrees;
  for (int df = 1; df <= 40; ++df) t_degrees.push_back(df);
  for (int df : {50, 60, 70, 80, 90, 100, 200, 500, 1000}) t_degrees.push_back(df);
  std::vector<std::string> t_labels;
  std::vector<std::vector<Accepted>> t_cells;
  for (int df : t_degrees) {
    t_labels.push_back(std::to_string(df));
    t_cells.emplace_back();
    for (double alpha : kTwoSided) {
      const double t =
          FallingRoot([df](double x) { return TwoSidedTProbability(df, x); }, alpha, 0.0, 1e4);
      t_cells.back().push_back(AcceptedTexts(t, 3));
    }
  }
  t_labels.push_back("∝");
  t_cells.emplace_back();
  for (double alpha : kTwoSided) {
    const double z =
        FallingRoot([](double x) { return std::erfc(x / std::sqrt(2.0)); }, alpha, 0.0, 40.0);
    t_cells.back().push_back(AcceptedTexts(z, 4));
  }
  ExpectCells(TTableText(), 5, t_labels, t_cells);

  std::vector<std::string> r_labels;
  std::vector<std::vector<Accepted>> r_cells;
  for (int df = 1; df <= 50; ++df) {
    r_labels.push_back(std::to_string(df));
    r_cells.emplace_back();
    for (double alpha : kTwoSided) {
      const double r =
          FallingRoot([df](double x) { return TwoSidedRProbability(df, x); }, alpha, 0.0, 1.0);
      r_cells.back().push_back(AcceptedTexts(r, 3));
    }
  }
  ExpectCells(RTableText(), 5, r_labels, r_cells);

  std::vector<int> chi_degrees;
  for (int df = 1; df <= 30; ++df) chi_degrees.push_back(df);
  for (int df = 40; df <= 100; df += 10) chi_degrees.push_back(df);
  std::vector<std::string> chi_labels;
  std::vector<std::vector<Accepted>> chi_cells;
  for (int df : chi_degrees) {
    chi_labels.push_back(std::to_string(df));
    chi_cells.emplace_back();
    for (double p : kUpperTail) {
      const double x =
          FallingRoot([df](double v) { return UpperGamma(df / 2.0, v / 2.0); }, p, 0.0, 1e3);
      chi_cells.back().push_back(AcceptedTexts(x, 2, true));
    }
  }
  ExpectCells(ChiSquareTableText(), 4, chi_labels, chi_cells);

  // Of 1,024 cells only a rare one may sit so close to a half-way point that
  // either neighbour must be accepted.
  EXPECT_LE(near_boundary_cells, 3);
}

// The distribution functions above are themselves checked at points with
// closed forms, so a fault in them cannot hide a fault in the tables.
TEST(CriticalTables, IndependentDistributionFunctionsAreSound) {
  // t with 1 df is Cauchy: P(|T| >= t) = 1 - 2 atan(t) / pi.
  for (double t : {0.3, 1.0, 6.0, 600.0}) {
    EXPECT_NEAR(TwoSidedTProbability(1, t), 1.0 - 2.0 * std::atan(t) / std::numbers::pi, 1e-14)
        << t;
  }
  // t with 2 df: P(|T| >= t) = 1 - t / sqrt(2 + t^2).
  for (double t : {0.5, 4.3, 30.0}) {
    EXPECT_NEAR(TwoSidedTProbability(2, t), 1.0 - t / std::sqrt(2.0 + t * t), 1e-14) << t;
  }
  // Chi-square with 2 df: Q = exp(-x / 2); with 1 df: Q = erfc(sqrt(x / 2)).
  for (double x : {0.01, 1.0, 5.99, 40.0}) {
    EXPECT_NEAR(UpperGamma(1.0, x / 2.0), std::exp(-x / 2.0), 1e-15) << x;
    EXPECT_NEAR(UpperGamma(0.5, x / 2.0), std::erfc(std::sqrt(x / 2.0)), 1e-14) << x;
  }
  // With 1 df (n = 3) r is the cosine of a uniform angle: P(|R| >= r) = 1 - 2 asin(r) / pi.
  for (double r : {0.1, 0.707, 0.999}) {
    EXPECT_NEAR(TwoSidedRProbability(1, r), 1.0 - 2.0 * std::asin(r) / std::numbers::pi, 1e-14)
        << r;
  }
}

}  // namespace
}  // namespace sumvane
