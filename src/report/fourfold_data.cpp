#include "report/fourfold_data.h"

#include <string>

#include "report/steps.h"

namespace sumvane::report {

void WriteFourfoldTable(html::Page& page, const FourfoldData& table,
                        const FourfoldCaptions& captions,
                        const std::optional<std::array<std::string, 4>>& expected) {
  const FourfoldCells cells = table.Cells();
  const FourfoldMargins& margins = table.margins;
  const auto cell = [&expected](std::string_view count, int i) {
    const std::string_view t =
        expected ? std::string_view((*expected)[static_cast<std::size_t>(i)]) : std::string_view();
    return IsBlank(t) ? Shown(count) : Shown(count) + " (" + Shown(t) + ")";
  };
  // The margins come as a + c, b + d, a + b, c + d.
  page.Table(
      {{std::string(captions.corner), std::string(captions.firstColumn),
        std::string(captions.secondColumn), "合计"},
       {std::string(captions.firstRow), cell(cells.a, 0), cell(cells.b, 1),
        Shown(margins.margins[2])},
       {std::string(captions.secondRow), cell(cells.c, 2), cell(cells.d, 3),
        Shown(margins.margins[3])},
       {"合计", Shown(margins.margins[0]), Shown(margins.margins[1]), Shown(margins.total)}});
}

}  // namespace sumvane::report
