// The commands that change or copy what the user typed: clear, delete, undo
// and redo, paste and copy. Every change of the list and of the fourfold
// cells is a step on the undo stack; the list model announces the changes of
// the list itself.
#pragma once

#include <QObject>

#include "app/sample_list_model.h"

class QMainWindow;
class QUndoStack;

namespace sumvane {

struct Actions;
class EntryFrame;
class FourfoldTable;
class SampleListView;

class EditCommands : public QObject {
  Q_OBJECT

 public:
  EditCommands(QMainWindow* window, SampleListModel* model, QUndoStack* undo, SampleListView* view,
               FourfoldTable* table, EntryFrame* entry);

  // The edit menu's and the pop-up's actions run these commands; undo and
  // redo are enabled while there is something to undo or redo.
  void Attach(const Actions& actions);

  // The chi-square analyses edit the fourfold table instead of the list.
  void SetTableMode(bool tableMode) { tableMode_ = tableMode; }

  // Empty the list or the table as a step that can be undone.
  void EmptyList(const QString& what, const ListChange& change = {});
  void EmptyTable();

  // 清空: the list or the table, whichever is shown; 清空1: the list.
  void Clear();
  void ClearList();
  void DeleteSelectedRow();
  void Undo();
  void Redo();
  // The clipboard's values into the table, or through the entry frame into
  // the list.
  void Paste();
  // The list, or the table with its margins, onto the clipboard.
  void Copy();

 signals:
  // A short note for the status bar: why nothing was pasted, what was copied.
  void Note(const QString& text);

 private:
  QMainWindow* window_;
  SampleListModel* model_;
  QUndoStack* undo_;
  SampleListView* view_;
  FourfoldTable* table_;
  EntryFrame* entry_;
  bool tableMode_ = false;
};

}  // namespace sumvane
