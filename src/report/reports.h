// The worked report of each analysis: the procedure a student of medical
// statistics writes out by hand, in Simplified Chinese and in the textbook's
// order (the data; the hypotheses and α; the statistic, its formula and the
// figures put into it; the table look-up, P and the conclusion; what a careful
// teacher adds), made from the panel's own texts as it shows them. P and the
// verdict are those of the panel (stats/answers.h).
//
// Each function returns a whole page of UTF-8 HTML in the subset Qt's rich text
// understands, with sub- and superscripts as markup and symbols as Unicode, so
// the page stays readable when copied into a word processor or printed. The
// report stops, saying which figure and why, at the first figure that cannot be
// formed; no NaN or infinity is ever written. An empty panel gives a title and
// one line saying what to enter.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "stats/answer_text.h"
#include "stats/fourfold.h"
#include "stats/paired.h"
#include "stats/regression.h"

namespace sumvane {

// Pictures the window adds to a report, as HTML inserted verbatim; empty for
// none.
struct ReportPictures {
  std::string_view data;  // after the data
  std::string_view test;  // after P and the conclusion
  // The Q–Q pictures, after the check of normality.
  std::string_view checks{};
};

// The two-sample t-test panel: the six boxes, the degrees of freedom and t.
struct TwoSamplePanelTexts {
  std::string_view mean1{}, mean2{}, sd1{}, sd2{}, n1{}, n2{};
  std::string_view degrees{};
  std::string_view t{};
};

// The fourfold table: the four cells, the margins a + c, b + d, a + b, c + d
// and the total, as the table shows them.
struct FourfoldTableTexts {
  FourfoldCells cells{};
  std::array<std::string_view, 4> margins{};
  std::string_view total{};
};

// The chi-square panel of a fourfold table: n, the expected counts of a, b,
// c, d and chi-square.
struct ChiSquarePanelTexts {
  FourfoldTableTexts table{};
  std::string_view n{};
  std::array<std::string_view, 4> expected{};
  std::string_view chiSquare{};
};

// The paired chi-square panel: n and chi-square.
struct PairedChiSquarePanelTexts {
  FourfoldTableTexts table{};
  std::string_view n{};
  std::string_view chiSquare{};
};

std::string TwoSampleReport(const TwoSamplePanelTexts& panel, Alpha alpha,
                            const ReportPictures& pictures = {});
std::string PairedReport(const PairedResult& result, const ReportPictures& pictures = {});
std::string CorrelationReport(const CorrelationResult& result, const ReportPictures& pictures = {});
std::string ChiSquareReport(const ChiSquarePanelTexts& panel, Alpha alpha,
                            const ReportPictures& pictures = {});
std::string PairedChiSquareReport(const PairedChiSquarePanelTexts& panel, Alpha alpha,
                                  const ReportPictures& pictures = {});

}  // namespace sumvane
