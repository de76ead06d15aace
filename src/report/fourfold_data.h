// The fourfold table as both chi-square reports show it: the four counts with
// their margins and total, under the captions of the analysis.
#pragma once

#include <string_view>

#include "report/html.h"
#include "report/reports.h"

namespace sumvane::report {

struct FourfoldCaptions {
  std::string_view corner;
  std::string_view firstRow, secondRow;
  std::string_view firstColumn, secondColumn;
};

// No cell holds anything.
bool IsEmptyTable(const FourfoldTableTexts& table);

void WriteFourfoldTable(html::Page& page, const FourfoldTableTexts& table,
                        const FourfoldCaptions& captions);

}  // namespace sumvane::report
