// The five result panels, in the order of the analyses.
#pragma once

#include <array>

#include "app/analysis.h"

class QWidget;

namespace sumvane {

class AnalysisPanel;

// The first four panels share the black picture box Picture2; the fifth
// stands on the client area over the same place.
std::array<AnalysisPanel*, kAnalysisCount> BuildPanels(QWidget* client, GroupSizes& sizes);

}  // namespace sumvane
