// How the worked report writes a figure that no box of the panel shows, such
// as a variance ratio or a confidence limit.
#pragma once

#include <optional>
#include <string>

#include "stats/report_figures.h"

namespace sumvane {

// Four significant digits, correctly rounded, trailing zeros dropped, the zero
// before the point written: "1.397", "0.8059", "12", "0.0001234", "-2.5".
// Positional for decimal exponents -4 to 14 as NumberText, otherwise
// "1.235E+15", "6.1E-7". Empty for a value that is not finite or missing.
std::string FourDigitText(double value);
std::string FourDigitText(const std::optional<double>& value);
// An interval as D20 writes its limits: "(0.2109, 4.789)".
std::string FourDigitInterval(const Interval& interval);

}  // namespace sumvane
