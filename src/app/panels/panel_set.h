// The result panels, in the order of the analyses.
#pragma once

#include <array>

#include "app/analysis.h"

class QWidget;

namespace sumvane {

class AnalysisPanel;

// Each analysis's panel, made by its description on its host: the black
// picture box Picture2, which the first four share, or the client area.
std::array<AnalysisPanel*, kAnalysisCount> BuildPanels(QWidget* client);

}  // namespace sumvane
