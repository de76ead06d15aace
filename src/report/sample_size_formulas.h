// The formula of each design as the worked plan writes it, and the same
// formula with the user's figures put in: the u values as the textbook's
// table prints them, every result from the engine at full precision.
#pragma once

#include <string>

#include "report/html.h"
#include "stats/sample_size.h"

namespace sumvane::report {

// A figure the user gave: "0.05", a negative one in brackets, "(-1)".
std::string Given(double value);

// A size before rounding up: two decimals, more where two would hide that it
// is not whole ("84.06", "476.0072" for 476.0072, "16.00" for 16).
std::string SizeText(double n);

// u as the table prints it: three decimals, trailing zeros dropped ("1.96",
// "1.282", "-0.253").
std::string TableU(double u);

// "u_0.05/2=1.96" (u_0.05 one-sided) and "u_0.10=1.282", as markup.
std::string AlphaQuantileCell(const SampleSizeInputs& inputs, double u);
std::string BetaQuantileCell(const SampleSizeInputs& inputs, double u);

// The design's formula for n and what its symbols stand for.
void WriteFormula(html::Page& page, const SampleSizeInputs& inputs);

// The parts and n with the figures put in, ending in n before rounding.
void WriteSubstitution(html::Page& page, const SampleSizeInputs& inputs,
                       const FormulaSize& formula);

// u_β at the user's size with the figures put in.
void WritePowerSubstitution(html::Page& page, const SampleSizeInputs& inputs,
                            const FormulaSize& formula, const PowerAtSize& at);

}  // namespace sumvane::report
