// The worked plan of a study's size, as a student of medical statistics
// writes it out: the design and what is given; the formula; the user's
// figures put in, with u as the table prints it (u_0.05/2=1.96) and every
// result at full precision; n rounded up; the exact answer beside it and why
// the two differ; the power at a size the user names; the power curve.
//
// Simplified Chinese, one whole page of UTF-8 HTML in the subset Qt's rich
// text shows (html::Page), made only from the engine's figures
// (stats/sample_size_inputs.h). Inputs that cannot serve give one sentence
// each and no figure; a figure that cannot be formed says why. No NaN or
// infinity is ever written.
#pragma once

#include <string>
#include <string_view>

#include "stats/sample_size_inputs.h"

namespace sumvane {

// `picture` is the power curve as HTML (an <img> with a data URI, or a line
// saying why there is none), inserted verbatim under its own heading at the
// end; empty for none, and then the heading is left out too.
std::string SampleSizeReport(const SampleSizeAnswer& answer, std::string_view picture = {});

}  // namespace sumvane
