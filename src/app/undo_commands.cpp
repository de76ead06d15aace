#include "app/undo_commands.h"

#include <QUndoStack>
#include <utility>

#include "app/fourfold_table.h"
#include "app/sample_list_model.h"

namespace sumvane {
namespace {

class RowsChange : public UserStep {
 public:
  RowsChange(SampleListModel* model, int first, std::vector<SampleRow> before,
             std::vector<SampleRow> after, const QString& what, ListReach reach,
             const ListChange& made)
      : UserStep(what, reach == ListReach::kOneRow),
        model_(model),
        first_(first),
        before_(std::move(before)),
        after_(std::move(after)),
        made_(made) {}

  // Only the step as the user made it says more than that rows changed.
  void redo() override { Replace(before_, after_, std::exchange(made_, {})); }

 protected:
  void Revert() override { Replace(after_, before_, {}); }

 private:
  void Replace(const std::vector<SampleRow>& from, const std::vector<SampleRow>& to,
               const ListChange& change) {
    model_->ReplaceRows(first_, static_cast<int>(from.size()), to, change);
  }

  SampleListModel* model_;
  int first_;
  std::vector<SampleRow> before_;
  std::vector<SampleRow> after_;
  ListChange made_;
};

}  // namespace

bool KeepsEntry(const QUndoCommand* step) {
  const auto* made = dynamic_cast<const UserStep*>(step);
  return made && made->KeepsEntry();
}

bool ChangeList(QUndoStack* stack, SampleListModel* model, int first, int count,
                std::vector<SampleRow> rows, const QString& what, ListReach reach,
                const ListChange& change) {
  const SampleList& list = model->List();
  if (first < 1 || count < 0 || first - 1 + count > list.Count() ||
      list.Count() - count + static_cast<int>(rows.size()) > SampleList::kMaxRows) {
    return false;
  }
  std::vector<SampleRow> before(list.Rows().begin() + (first - 1),
                                list.Rows().begin() + (first - 1 + count));
  stack->push(
      new RowsChange(model, first, std::move(before), std::move(rows), what, reach, change));
  return true;
}

CellsChange::CellsChange(FourfoldTable* table, Cells before, Cells after, int typedCell)
    : UserStep(QStringLiteral("四格表"), true),
      table_(table),
      before_(std::move(before)),
      after_(std::move(after)),
      typedCell_(typedCell),
      onScreen_(typedCell >= 0) {}

void CellsChange::redo() {
  if (onScreen_) {
    onScreen_ = false;
    return;
  }
  table_->ShowCells(after_);
}

void CellsChange::Revert() { table_->ShowCells(before_); }

bool CellsChange::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const CellsChange*>(other);
  if (typedCell_ < 0 || next->typedCell_ != typedCell_) return false;
  after_ = next->after_;
  return true;
}

}  // namespace sumvane
