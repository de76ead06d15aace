#include "app/panels/panel_set.h"

#include <QWidget>

#include "app/analyses.h"
#include "app/twips.h"
#include "app/widget_kit.h"

namespace sumvane {

std::array<AnalysisPanel*, kAnalysisCount> BuildPanels(QWidget* client) {
  auto* picture2 = new QWidget(client);
  picture2->setObjectName(QStringLiteral("Picture2"));
  picture2->setAutoFillBackground(true);
  kit::SetColours(picture2, kit::kCaption, kit::kPanelBack);
  PlaceTwips(picture2, 2290, 4575, 5865, 1890);
  std::array<AnalysisPanel*, kAnalysisCount> panels{};
  for (const AnalysisDescription& d : Analyses()) {
    panels[Number(d.analysis)] = d.makePanel(d.host == PanelHost::kPictureBox ? picture2 : client);
  }
  return panels;
}

}  // namespace sumvane
