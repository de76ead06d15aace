#include "app/panels/fourfold_panel.h"

#include <QLineEdit>

#include "app/widget_kit.h"

namespace sumvane {

void FourfoldPanel::CellsChanged(const FourfoldCells& cells) {
  table_ = TableOf(cells);
  Recompute();
}

QLineEdit* FourfoldPanel::MakeChiSquareBox(const ChiSquareNames& names, bool readOnly) {
  kit::MakeLabel(this, {.name = QLatin1String(names.x),
                        .caption = QStringLiteral("x ="),
                        .colour = kit::kRed,
                        .place = {3360, 660},
                        .pointSize = 18});
  kit::MakeLabel(this, {.name = QLatin1String(names.two),
                        .caption = QStringLiteral("2"),
                        .colour = kit::kRed,
                        .place = {3540, 660},
                        .pointSize = 10.5});
  return kit::MakeBox(this, {.name = QLatin1String(names.box),
                             .place = {4020, 720, 1035, 315},
                             .look = kit::kResult,
                             .maxLength = 6,
                             .readOnly = readOnly,
                             .pointSize = 14.25,
                             .spokenName = QStringLiteral("x2 =")});
}

}  // namespace sumvane
