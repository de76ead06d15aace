// The worked report of each analysis: the procedure a student of medical
// statistics writes out by hand, in Simplified Chinese and in the textbook's
// order (the data; the hypotheses and α; the statistic, its formula and the
// figures put into it; the table look-up, P and the conclusion; what a careful
// teacher adds), made from the panel's result, with its figures as the panel shows them. P and the
// verdict are those of the panel (stats/answers.h).
//
// Each function returns a whole page of UTF-8 HTML in the subset Qt's rich text
// understands, with sub- and superscripts as markup and symbols as Unicode, so
// the page stays readable when copied into a word processor or printed. The
// report stops, saying which figure and why, at the first figure that cannot be
// formed; no NaN or infinity is ever written. An empty panel gives a title and
// one line saying what to enter.
#pragma once

#include <string>
#include <string_view>

#include "stats/answer_text.h"
#include "stats/chi_square.h"
#include "stats/paired.h"
#include "stats/paired_chi_square.h"
#include "stats/regression.h"
#include "stats/two_sample.h"

namespace sumvane {

// Pictures the window adds to a report, as HTML inserted verbatim; empty for
// none.
struct ReportPictures {
  std::string_view data;  // after the data
  std::string_view test;  // after P and the conclusion
  // The Q–Q pictures, after the check of normality.
  std::string_view checks{};
  // The forest pictures, after the effects and their intervals.
  std::string_view effects{};
};

std::string TwoSampleReport(const TwoSampleResult& result, const ReportPictures& pictures = {});
std::string PairedReport(const PairedResult& result, const ReportPictures& pictures = {});
std::string CorrelationReport(const CorrelationResult& result, const ReportPictures& pictures = {});
std::string ChiSquareReport(const ChiSquareResult& result, const ReportPictures& pictures = {});
std::string PairedChiSquareReport(const PairedChiSquareResult& result,
                                  const ReportPictures& pictures = {});

}  // namespace sumvane
