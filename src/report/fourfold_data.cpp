#include "report/fourfold_data.h"

#include <string>

#include "report/steps.h"

namespace sumvane::report {

bool IsEmptyTable(const FourfoldTableTexts& table) {
  const FourfoldCells& cells = table.cells;
  return IsBlank(cells.a) && IsBlank(cells.b) && IsBlank(cells.c) && IsBlank(cells.d);
}

void WriteFourfoldTable(html::Page& page, const FourfoldTableTexts& table,
                        const FourfoldCaptions& captions) {
  const FourfoldCells& cells = table.cells;
  // The margins come as a + c, b + d, a + b, c + d.
  page.Table(
      {{std::string(captions.corner), std::string(captions.firstColumn),
        std::string(captions.secondColumn), "合计"},
       {std::string(captions.firstRow), Shown(cells.a), Shown(cells.b), Shown(table.margins[2])},
       {std::string(captions.secondRow), Shown(cells.c), Shown(cells.d), Shown(table.margins[3])},
       {"合计", Shown(table.margins[0]), Shown(table.margins[1]), Shown(table.total)}});
}

}  // namespace sumvane::report
