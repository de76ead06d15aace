// How large the difference of a fourfold table is, worked out by hand in the
// textbook's order: each measure's formula, the table's counts put into it,
// the estimate with its 95 % interval and the method's name, or why it cannot
// be formed.
#pragma once

#include <string_view>

#include "report/html.h"
#include "stats/chi_square.h"
#include "stats/paired_chi_square.h"

namespace sumvane::report {

// OR (Woolf, and the exact OR where the exact test answers), RR (Katz), RD
// (normal approximation and Newcombe) and NNT; nothing for a table without
// effects. The forest picture's markup, if any, follows them.
void WriteFourfoldEffects(html::Page& page, const ChiSquareResult& result,
                          std::string_view picture = {});

// The matched OR b/c (exact) and the difference of the two positive rates.
void WritePairedTableEffects(html::Page& page, const PairedChiSquareResult& result);

}  // namespace sumvane::report
