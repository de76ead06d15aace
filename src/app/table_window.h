// A critical-value table in a resizable window of its own, as a grid whose
// probability header and degrees-of-freedom column stay in view while it
// scrolls. It points at the same row and cells as the small table.
#pragma once

#include <QWidget>
#include <optional>

#include "stats/table_lookup.h"

class QLabel;
class QTableWidget;

namespace sumvane {

class TableWindow : public QWidget {
  Q_OBJECT

 public:
  TableWindow(QWidget* owner, CriticalTable table);

  CriticalTable Table() const { return table_; }
  // Highlights the row and the bracketing cells, and scrolls to them; nothing
  // is highlighted without a look-up.
  void PointAt(const std::optional<TableRow>& row, const std::optional<TableLookUp>& lookUp);

 private:
  CriticalTable table_;
  QTableWidget* grid_ = nullptr;
};

// The table's title as its text writes it: "t界值表", "x2界值表", "r界值表".
QString TableTitle(CriticalTable table);

}  // namespace sumvane
