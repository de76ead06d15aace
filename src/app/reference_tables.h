// The three critical-value tables (t, chi-square, r) in the box below the
// analysis buttons; the analysis chosen decides which one is on show. The
// table on show points at the panel's answer: it scrolls to and highlights the
// row of the degrees of freedom and the two cells that bracket the statistic.
// A double-click, or the menu, opens it whole in a window of its own.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <array>

#include "app/analysis.h"
#include "app/panels/analysis_panel.h"

namespace sumvane {

class ReferenceTable;
class TableWindow;

class ReferenceTables : public QObject {
  Q_OBJECT

 public:
  explicit ReferenceTables(QWidget* client);

  void ShowFor(Analysis analysis);
  void PointAt(const TableQuestion& question);
  // The table on show, whole, in a window of its own.
  void OpenWindow();
  QWidgetList TabChain() const;

 private:
  ReferenceTable* Shown() const;

  std::array<ReferenceTable*, 3> tables_{};  // t, chi-square, r
  QPointer<TableWindow> window_;
  TableQuestion question_;
};

}  // namespace sumvane
