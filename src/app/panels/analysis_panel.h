// A result panel Frame4(m): one analysis's boxes and the recalculation that
// turns the figures in them into its statistic. Form1 tells the panel on show
// when the list changed (list mode) or a cell of the fourfold table changed
// (table mode); everything else the panel does by itself. Panels never see
// each other.
//
// Results flow one way, through text: a write into a box raises that box's
// textChanged at once, and the panel's own recalculation runs before the
// writer's next step, so the order of a panel's writes decides what each of
// its boxes ends up showing.
#pragma once

#include <QFrame>
#include <optional>

#include "app/analysis.h"

namespace sumvane {

class SampleList;
struct FourfoldCells;

class AnalysisPanel : public QFrame {
  Q_OBJECT

 public:
  // The panel's black frame at a place in twips on its parent.
  AnalysisPanel(QWidget* parent, Analysis analysis, int left, int top);

  Analysis Kind() const { return analysis_; }

  // An Enter stored a value into `enteredGroup`, or Calculate (no group) asks
  // for every figure from the list.
  virtual void ListChanged(const SampleList& list, std::optional<int> enteredGroup);
  virtual void CellsChanged(const FourfoldCells& cells);
  // The panel's controls in reading order.
  virtual QWidgetList TabChain() const = 0;

 private:
  Analysis analysis_;
};

}  // namespace sumvane
