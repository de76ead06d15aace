// The changes a user can undo: a change of the list (rows replaced by
// others, undone by the opposite replacement) and a change of the fourfold
// table's cells. Each command keeps only the rows or cells it changes, so an
// Enter costs the undo history one row, not a copy of the list.
#pragma once

#include <QUndoCommand>
#include <array>
#include <string>
#include <vector>

#include "app/sample_list_model.h"
#include "entry/sample_list.h"

class QUndoStack;

namespace sumvane {

class FourfoldTable;

// A step the user made, which knows whether it is still the change just made:
// the entry frame keeps what it shows after a value typed, a row deleted or a
// cell changed, and after nothing else.
class UserStep : public QUndoCommand {
 public:
  UserStep(const QString& what, bool keepsEntry) : QUndoCommand(what), keepsEntry_(keepsEntry) {}
  void undo() final {
    undone_ = true;
    Revert();
  }
  bool KeepsEntry() const { return keepsEntry_ && !undone_; }

 protected:
  virtual void Revert() = 0;

 private:
  bool keepsEntry_;
  bool undone_ = false;
};

// Whether the history moving onto `step` leaves the row number and the data
// box as they are. Every other move (an import, a paste, a clearing, a choice
// of analysis, an undo or redo of any step) sends the next Enter to the
// group's first empty row.
bool KeepsEntry(const QUndoCommand* step);

// How far a change of the list reaches: one row the user typed into or
// deleted, or rows at large.
enum class ListReach { kOneRow, kRows };

// Replaces the `count` rows from position `first` with `rows` as one step that
// can be undone; false, and nothing pushed, when the list cannot take it. The
// model announces `change` as the step is made; undone or redone, the step is
// announced as a change of rows at large.
bool ChangeList(QUndoStack* stack, SampleListModel* model, int first, int count,
                std::vector<SampleRow> rows, const QString& what,
                ListReach reach = ListReach::kRows, const ListChange& change = {});

class CellsChange : public UserStep {
 public:
  using Cells = std::array<std::string, 4>;
  // `typed`: the user typed the change into one cell, already on screen;
  // typing that follows in the same cell merges into this step.
  CellsChange(FourfoldTable* table, Cells before, Cells after, int typedCell = -1);

  void redo() override;
  int id() const override { return 1; }
  bool mergeWith(const QUndoCommand* other) override;

 protected:
  void Revert() override;

 private:
  FourfoldTable* table_;
  Cells before_;
  Cells after_;
  int typedCell_;
  bool onScreen_;
};

}  // namespace sumvane
