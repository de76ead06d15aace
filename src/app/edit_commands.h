// The commands that change or copy what the user typed: clear, delete, undo
// and redo, paste and copy. Every change of the list and of the fourfold
// cells is a step on the undo stack; every change of the list but an Enter is
// announced, so that the panel on show recomputes as an Enter does.
#pragma once

#include <QObject>

class QMainWindow;
class QUndoStack;

namespace sumvane {

struct Actions;
class EntryFrame;
class FourfoldTable;
class SampleListModel;
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
  void EmptyList(const QString& what);
  void EmptyTable();

  // 清空: the list or the table, whichever is shown; 清空1: the list.
  void Clear();
  void ClearList();
  void DeleteSelectedRow();
  void Undo();
  void Redo();
  // The clipboard's values into the list or the table.
  void Paste();
  // The list, or the table with its margins, onto the clipboard.
  void Copy();
  // Pastes text of several values into the list; false when it holds a single
  // value, which the data box pastes as text itself.
  bool PasteValues(const QString& text);

 signals:
  void ListChanged();
  // A short note for the status bar: why nothing was pasted, what was.
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
