// The changes a user can undo: a change of the list (rows replaced by
// others, undone by the opposite replacement) and a change of the fourfold
// table's cells. Each command keeps only the rows or cells it changes, so an
// Enter costs the undo history one row, not a copy of the list.
#pragma once

#include <QUndoCommand>
#include <array>
#include <string>
#include <vector>

#include "entry/sample_list.h"

class QUndoStack;

namespace sumvane {

class FourfoldTable;
class SampleListModel;

// Replaces the `count` rows from position `first` with `rows` as one step that
// can be undone; false, and nothing pushed, when the list cannot take it.
bool ChangeList(QUndoStack* stack, SampleListModel* model, int first, int count,
                std::vector<SampleRow> rows, const QString& what);

class CellsChange : public QUndoCommand {
 public:
  using Cells = std::array<std::string, 4>;
  // `typed`: the user typed the change into one cell, already on screen;
  // typing that follows in the same cell merges into this step.
  CellsChange(FourfoldTable* table, Cells before, Cells after, int typedCell = -1);

  void redo() override;
  void undo() override;
  int id() const override { return 1; }
  bool mergeWith(const QUndoCommand* other) override;

 private:
  FourfoldTable* table_;
  Cells before_;
  Cells after_;
  int typedCell_;
  bool onScreen_;
};

}  // namespace sumvane
