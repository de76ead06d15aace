// One description per analysis: what the window knows of an analysis beyond
// its panel's own work. The method buttons, the reference tables, the panel
// set and its tab chain, the window's arrangement and the clipboard's caption
// all iterate over these descriptions, so a new analysis is a description
// here and a panel of its own.
#pragma once

#include <QString>
#include <array>

#include "app/analysis.h"
#include "stats/table_lookup.h"

class QWidget;

namespace sumvane {

class AnalysisPanel;

// Where the analysis takes its data from: the list of two groups, or the four
// cells of the fourfold table that replaces the list while it is chosen.
enum class InputMode { kList, kFourfoldTable };

// Where the panel stands: in the black picture box that the first four panels
// share, or on the client area itself.
enum class PanelHost { kPictureBox, kClient };

struct AnalysisDescription {
  Analysis analysis;
  // On its button, over the analysis chosen, above the fourfold table, and as
  // the first line of the results copied.
  QString caption;
  // The reference table on show while the analysis is chosen.
  CriticalTable table;
  InputMode mode;
  PanelHost host;
  // Makes the panel in its place on its host.
  AnalysisPanel* (*makePanel)(QWidget* host);
};

// The analyses in the order of their buttons and their numbers.
const std::array<AnalysisDescription, kAnalysisCount>& Analyses();
const AnalysisDescription& Describe(Analysis analysis);

}  // namespace sumvane
