#include "app/edit_commands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QUndoStack>
#include <variant>

#include "app/actions.h"
#include "app/entry_frame.h"
#include "app/fourfold_table.h"
#include "app/list_view.h"
#include "app/sample_list_model.h"
#include "app/undo_commands.h"
#include "app/widget_kit.h"
#include "entry/copy_text.h"
#include "entry/paste.h"

namespace sumvane {

EditCommands::EditCommands(QMainWindow* window, SampleListModel* model, QUndoStack* undo,
                           SampleListView* view, FourfoldTable* table, EntryFrame* entry)
    : QObject(window),
      window_(window),
      model_(model),
      undo_(undo),
      view_(view),
      table_(table),
      entry_(entry) {
  // Cells typed or pasted into are steps too.
  connect(table_, &FourfoldTable::CellEdited, this,
          [this](int cell, const FourfoldTable::Cells& before, const FourfoldTable::Cells& after) {
            undo_->push(new CellsChange(table_, before, after, cell));
          });
  connect(table_, &FourfoldTable::CellsPasted, this, [this](const FourfoldTable::Cells& cells) {
    undo_->push(new CellsChange(table_, table_->CellTexts(), cells));
  });
}

void EditCommands::Attach(const Actions& a) {
  connect(a.clear, &QAction::triggered, this, &EditCommands::Clear);
  connect(a.clearList, &QAction::triggered, this, &EditCommands::ClearList);
  connect(a.deleteRow, &QAction::triggered, this, &EditCommands::DeleteSelectedRow);
  connect(a.deleteListRow, &QAction::triggered, this, &EditCommands::DeleteSelectedRow);
  connect(a.undo, &QAction::triggered, this, &EditCommands::Undo);
  connect(a.redo, &QAction::triggered, this, &EditCommands::Redo);
  connect(a.copy, &QAction::triggered, this, &EditCommands::Copy);
  connect(a.paste, &QAction::triggered, this, &EditCommands::Paste);
  a.undo->setEnabled(undo_->canUndo());
  a.redo->setEnabled(undo_->canRedo());
  connect(undo_, &QUndoStack::canUndoChanged, a.undo, &QAction::setEnabled);
  connect(undo_, &QUndoStack::canRedoChanged, a.redo, &QAction::setEnabled);
}

void EditCommands::EmptyList(const QString& what, const ListChange& change) {
  const int count = model_->List().Count();
  if (count > 0) ChangeList(undo_, model_, 1, count, {}, what, ListReach::kRows, change);
}

void EditCommands::EmptyTable() { undo_->push(new CellsChange(table_, table_->CellTexts(), {})); }

void EditCommands::Clear() {
  if (tableMode_) {
    EmptyTable();
  } else {
    ClearList();
  }
}

// An empty list stays as it is, and the panel still empties.
void EditCommands::ClearList() {
  if (model_->List().Count() == 0) {
    model_->Announce({});
  } else {
    EmptyList(QStringLiteral("清空"));
  }
}

void EditCommands::DeleteSelectedRow() {
  const auto selected = view_->SelectedRow();
  if (!selected) return;
  ChangeList(undo_, model_, *selected, 1, {}, QStringLiteral("删除"), ListReach::kOneRow);
  // The view moves its selection to the next row; the user chose none.
  view_->selectionModel()->clearSelection();
}

void EditCommands::Undo() { undo_->undo(); }

void EditCommands::Redo() { undo_->redo(); }

void EditCommands::Paste() {
  const QString text = QApplication::clipboard()->text();
  if (tableMode_) {
    const FourfoldPaste paste = ParseFourfoldPaste(kit::S(text));
    if (const auto* refusal = std::get_if<PasteRefusal>(&paste)) {
      emit Note(kit::Q(RefusalText(*refusal)));
      return;
    }
    undo_->push(
        new CellsChange(table_, table_->CellTexts(), std::get<std::array<std::string, 4>>(paste)));
    return;
  }
  entry_->Paste(text);
}

void EditCommands::Copy() {
  const std::string text =
      tableMode_ ? FourfoldCopyText(table_->ShownTexts()) : ListCopyText(model_->List());
  QApplication::clipboard()->setText(kit::Q(text));
  emit Note(tableMode_ ? QStringLiteral("已复制四格表")
                       : QStringLiteral("已复制%1行").arg(model_->List().Count()));
}

}  // namespace sumvane
