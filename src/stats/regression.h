// Linear correlation and the regression of y on x: the number of pairs and r,
// formed from the list or typed into the panel, give the t of r; the list's
// pairs also give the regression equation.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "stats/analysis_result.h"
#include "stats/assumption_checks.h"
#include "stats/moments.h"
#include "stats/observation.h"
#include "stats/panel_figure.h"
#include "stats/regression_inference.h"
#include "stats/report_figures.h"

namespace sumvane {

// The coefficients of the equation are cut to this many characters; the
// boxes of r and of its t show this many.
inline constexpr int kCoefficientWidth = 8;
inline constexpr int kRWidth = 7;
inline constexpr int kTOfRWidth = 6;

struct CorrelationInputs {
  PanelFigure n{}, r{};
  // The least-squares line of the list's pairs; none once n or r is typed.
  std::optional<FittedLine> line{};
  // An equation typed over the one the line gave.
  std::optional<std::string> typedEquation{};
  // The list's two groups differ in length, so there are no pairs.
  bool unequalGroups = false;
  // What the inference of the line and the checks need from the list's pairs:
  // their exact moments, and the values (typed n and r carry none).
  std::optional<PairMoments> moments{};
  std::vector<double> x{}, y{};
  // X0 typed in the report's box, where Ŷ and its intervals are asked for.
  std::optional<double> predictX{};
};

// The pairs (x[i], y[i]): n, r and the line, each rounded once from the exact
// sums of the pairs (moments.h). r is not formed without pairs or when all x
// or all y are equal; no list gives no figures at all.
CorrelationInputs Regress(std::span<const Observation> x, std::span<const Observation> y);
// Regress with the pairs' moments and values, for the inference and the checks.
CorrelationInputs PairsForRegression(std::span<const Observation> x,
                                     std::span<const Observation> y);

// "Y=a + bX" or "Y=a - bX", the coefficients cut to kCoefficientWidth
// characters; empty without a slope (all x equal).
std::string EquationText(const FittedLine& line);

struct CorrelationResult : AnalysisResult {
  CorrelationInputs inputs;
  // |r| / √[(1 - r²)/(n - 2)], when r is filled in and it can be formed.
  std::optional<double> tOfR;
  // n - 2, for t and the table of r.
  std::optional<double> degrees;
  // The interval of ρ by Fisher's z.
  std::optional<Interval> rhoInterval;
  // r², from the pairs' moments, or the square of r as typed.
  std::optional<double> rSquared;
  // b, a, their standard errors and intervals, S_y·x and the analysis of
  // variance; only with the list's pairs.
  std::optional<RegressionInference> regression;
  // Ŷ and its two intervals at the X0 asked for.
  std::optional<RegressionPrediction> prediction;
  // Normality of the residuals and Spearman's r_s; only with the list's pairs.
  std::optional<CorrelationChecks> checks;

  struct Shown {
    std::string n, r, tOfR, equation;
  } shown;
};

CorrelationResult AnalyseCorrelation(const CorrelationInputs& inputs, Alpha alpha);

}  // namespace sumvane
