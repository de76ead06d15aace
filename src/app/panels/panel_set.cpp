#include "app/panels/panel_set.h"

#include <QWidget>

#include "app/panels/chi_square_panel.h"
#include "app/panels/paired_chi_square_panel.h"
#include "app/panels/paired_panel.h"
#include "app/panels/regression_panel.h"
#include "app/panels/two_sample_panel.h"
#include "app/twips.h"
#include "app/widget_kit.h"

namespace sumvane {

std::array<AnalysisPanel*, kAnalysisCount> BuildPanels(QWidget* client, GroupSizes& sizes) {
  auto* picture2 = new QWidget(client);
  picture2->setObjectName(QStringLiteral("Picture2"));
  picture2->setAutoFillBackground(true);
  kit::SetColours(picture2, kit::kCaption, kit::kPanelBack);
  PlaceTwips(picture2, 2290, 4575, 5865, 1890);
  return {new TwoSamplePanel(picture2, 75, 0, sizes), new PairedPanel(picture2, 60, 0, sizes),
          new RegressionPanel(picture2, 60, 0, sizes), new ChiSquarePanel(picture2, 60, 0),
          new PairedChiSquarePanel(client, 2400, 4620)};
}

}  // namespace sumvane
