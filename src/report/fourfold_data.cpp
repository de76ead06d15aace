#include "report/fourfold_data.h"

#include <string>

#include "report/steps.h"

namespace sumvane::report {

bool IsEmptyTable(const FourfoldTableTexts& table) {
  const FourfoldCells& cells = table.cells;
  return IsBlank(cells.a) && IsBlank(cells.b) && IsBlank(cells.c) && IsBlank(cells.d);
}

void WriteFourfoldTable(html::Page& page, const FourfoldTableTexts& table,
                        const FourfoldCaptions& captions,
                        const std::optional<std::array<std::string_view, 4>>& expected) {
  const FourfoldCells& cells = table.cells;
  const auto cell = [&expected](std::string_view count, int i) {
    const std::string_view t = expected ? (*expected)[static_cast<std::size_t>(i)] : "";
    return IsBlank(t) ? Shown(count) : Shown(count) + " (" + Shown(t) + ")";
  };
  // The margins come as a + c, b + d, a + b, c + d.
  page.Table({{std::string(captions.corner), std::string(captions.firstColumn),
               std::string(captions.secondColumn), "合计"},
              {std::string(captions.firstRow), cell(cells.a, 0), cell(cells.b, 1),
               Shown(table.margins[2])},
              {std::string(captions.secondRow), cell(cells.c, 2), cell(cells.d, 3),
               Shown(table.margins[3])},
              {"合计", Shown(table.margins[0]), Shown(table.margins[1]), Shown(table.total)}});
}

}  // namespace sumvane::report
