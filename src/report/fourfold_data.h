// The fourfold table as both chi-square reports show it: the four counts with
// their margins and total, under the captions of the analysis.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "report/html.h"
#include "stats/fourfold.h"

namespace sumvane::report {

struct FourfoldCaptions {
  std::string_view corner;
  std::string_view firstRow, secondRow;
  std::string_view firstColumn, secondColumn;
};

// The expected counts of a, b, c, d, when given, stand in brackets beside
// their cells, as the textbook sets them.
void WriteFourfoldTable(html::Page& page, const FourfoldData& table,
                        const FourfoldCaptions& captions,
                        const std::optional<std::array<std::string, 4>>& expected = {});

}  // namespace sumvane::report
