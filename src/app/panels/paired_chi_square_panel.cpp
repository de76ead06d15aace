#include "app/panels/paired_chi_square_panel.h"

#include <QLabel>
#include <QLineEdit>

#include "app/widget_kit.h"
#include "stats/fourfold.h"

namespace sumvane {

PairedChiSquarePanel::PairedChiSquarePanel(QWidget* parent, int left, int top)
    : AnalysisPanel(parent, Analysis::kPairedChiSquare, left, top) {
  auto caption = [this](const char* name, const QString& text, kit::Twips place, double size) {
    kit::MakeLabel(this, {.name = QLatin1String(name),
                          .caption = text,
                          .colour = kit::kRed,
                          .place = place,
                          .pointSize = size});
  };
  caption("Label26", QStringLiteral("n ="), {660, 660}, 18);
  caption("Label27", QStringLiteral("x ="), {3360, 660}, 18);
  caption("Label28", QStringLiteral("2"), {3540, 660}, 10.5);
  auto result = [this](const char* name, int left, const QString& spoken) {
    return kit::MakeBox(this, {.name = QLatin1String(name),
                               .place = {left, 720, 1035, 315},
                               .look = kit::kResult,
                               .maxLength = 6,
                               .readOnly = true,
                               .pointSize = 14.25,
                               .spokenName = spoken});
  };
  nBox_ = result("Text13", 1320, QStringLiteral("n ="));
  chiSquareBox_ = result("Text12", 4020, QStringLiteral("x2 ="));
}

void PairedChiSquarePanel::CellsChanged(const FourfoldCells& cells) {
  const PairedChiSquare result = PairedChiSquareOfTable(cells);
  kit::WriteBox(nBox_, result.n);
  kit::WriteBox(chiSquareBox_, result.chiSquare);
}

QWidgetList PairedChiSquarePanel::TabChain() const { return {nBox_, chiSquareBox_}; }

}  // namespace sumvane
