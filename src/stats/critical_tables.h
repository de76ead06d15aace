// The three critical-value tables the window offers for judging a statistic by
// eye: Student's t, chi-square and Pearson's r. They are plain text, computed
// from the distributions once and never read by any calculation.
#pragma once

#include <string>

namespace sumvane {

// Each text is UTF-8 with "\r\n" after every line, the last one included. It is
// built on first use and lives for the rest of the program.

// Two-sided critical values of t for 1..40, 50..100 by tens, 200, 500, 1000
// degrees of freedom (3 decimals) and the normal limit "∝" (4 decimals).
const std::string& TTableText();

// Upper-tail critical values of chi-square for 1..30 and 40..100 by tens
// degrees of freedom, 2 decimals; a value that would show as 0.00 is "…".
const std::string& ChiSquareTableText();

// Two-sided critical values of Pearson's r for 1..50 degrees of freedom
// (n - 2), 3 decimals.
const std::string& RTableText();

}  // namespace sumvane
