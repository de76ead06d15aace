#include "app/panels/analysis_panel.h"

#include "app/twips.h"
#include "app/widget_kit.h"

namespace sumvane {

AnalysisPanel::AnalysisPanel(QWidget* parent, Analysis analysis, int left, int top)
    : QFrame(parent), analysis_(analysis) {
  setObjectName(kit::Indexed("Frame4", Number(analysis)));
  setAutoFillBackground(true);
  kit::SetColours(this, kit::kCaption, kit::kPanelBack);
  PlaceTwips(this, left, top, 5640, 1740);
}

// Most panels read only one of the two sources.
void AnalysisPanel::ListChanged(const SampleList&, std::optional<int>) {}
void AnalysisPanel::CellsChanged(const FourfoldCells&) {}

}  // namespace sumvane
