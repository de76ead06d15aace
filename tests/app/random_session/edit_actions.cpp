// Clearing, deleting, undoing and redoing.
#include <QAction>
#include <QApplication>

#include "random_session/session.h"

namespace sumvane::session {

QString Session::Clear() {
  const bool fromMenu = random_.Chance(50);
  const QString input = input_->text();
  const QString row = rowNumber_->text();
  const bool hadRows = w_.form.List().Count() != 0;
  Command(fromMenu ? QStringLiteral("清空") : QStringLiteral("清空1"),
          fromMenu ? Qt::Key_M : Qt::Key_J);
  if (!fromMenu || ListMode()) {
    if (w_.form.List().Count() != 0) return QStringLiteral("clearing left rows");
  } else {
    for (int i = 0; i < 4; ++i) {
      if (!w_.Text(QStringLiteral("Text11(%1)").arg(i)).isEmpty()) {
        return QStringLiteral("clearing left cell %1 of the table filled").arg(i);
      }
    }
  }
  // Clearing rows sends the next value to row 1; clearing the table, or an
  // empty list, leaves the entry frame alone.
  if ((!fromMenu || ListMode()) && hadRows) return EntryStartedAfresh(QStringLiteral("clearing"));
  if (input_->text() != input || rowNumber_->text() != row) {
    return QStringLiteral("clearing nothing changed the input box or the row-number box");
  }
  return {};
}

QString Session::Delete() {
  // The menu item, the pop-up's Ctrl+F, or Del in the list; in a box the Del
  // key belongs to the box.
  const unsigned how = random_.Below(ListMode() ? 3 : 2);
  const Rows before = ListRows();
  const std::optional<int> selected = w_.form.SelectedRow();
  const QString input = input_->text();
  const QString row = rowNumber_->text();
  if (how == 0) {
    Note(QStringLiteral("menu item 删除"));
    w_.Find<QAction>("删除")->trigger();
  } else if (how == 1) {
    Command(QStringLiteral("删除1"), Qt::Key_F);
  } else {
    Note(QStringLiteral("Del in L1"));
    KeyIn(view_, Qt::Key_Delete);
  }
  Rows expected = before;
  if (selected) expected.erase(expected.begin() + (*selected - 1));
  if (const QString d = RowsDifference(ListRows(), expected); !d.isEmpty()) {
    return QStringLiteral("deleting (row %1 selected): %2")
        .arg(selected ? QString::number(*selected) : QStringLiteral("none"), d);
  }
  if (w_.form.SelectedRow()) return QStringLiteral("a row stays selected after Delete");
  if (input_->text() != input || rowNumber_->text() != row) {
    return QStringLiteral("deleting changed the input or row-number box");
  }
  return {};
}

void Session::UndoStep() {
  if (random_.Chance(50)) {
    Command(QStringLiteral("撤销"), Qt::Key_Z);
  } else {
    Note(QStringLiteral("menu item 撤销"));
    w_.Find<QAction>(QStringLiteral("撤销"))->trigger();
  }
}

void Session::RedoStep() {
  if (random_.Chance(50)) {
    if (random_.Chance(50)) {
      Command(QStringLiteral("重做"), Qt::Key_Y);
    } else {
      Command(QStringLiteral("重做"), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
  } else {
    Note(QStringLiteral("menu item 重做"));
    w_.Find<QAction>(QStringLiteral("重做"))->trigger();
  }
}

// One step of the history: the index moves by one when it can, and a step
// that cannot be taken leaves the list alone.
QString Session::UndoOrRedo() {
  const bool undo = random_.Chance(60);
  const int index = history_->index();
  const bool can = undo ? history_->canUndo() : history_->canRedo();
  const Rows before = ListRows();
  const auto inputs = Inputs();
  if (undo) {
    UndoStep();
  } else {
    RedoStep();
  }
  ForgetIfChanged(inputs);
  // With nothing to take back the window's keys are off, and the box with
  // the focus undoes its own typing: what it then shows is the user's.
  if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget()); box && !can) {
    typed_[box] = box->text();
  }
  const int expected = can ? index + (undo ? -1 : 1) : index;
  if (history_->index() != expected) {
    return QStringLiteral("%1 left the history at %2, expected %3")
        .arg(undo ? QStringLiteral("undo") : QStringLiteral("redo"))
        .arg(history_->index())
        .arg(expected);
  }
  if (!can) {
    if (const QString d = RowsDifference(ListRows(), before); !d.isEmpty()) {
      return QStringLiteral("nothing to %1, yet the list changed: %2")
          .arg(undo ? QStringLiteral("undo") : QStringLiteral("redo"), d);
    }
    return {};
  }
  return EntryStartedAfresh(undo ? QStringLiteral("an undo") : QStringLiteral("a redo"));
}

}  // namespace sumvane::session
