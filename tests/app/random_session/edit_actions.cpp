// Clearing and deleting rows of the list.
#include <QAction>

#include "random_session/session.h"

namespace sumvane::session {

QString Session::Clear() {
  const bool fromMenu = random_.Chance(50);
  const QString input = input_->text();
  const QString row = rowNumber_->text();
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
  // Clearing the list sends the next value to row 1; the table leaves the
  // row number alone.
  const bool listCleared = !fromMenu || ListMode();
  const QString rowAfter = listCleared ? QStringLiteral("1") : row;
  if (input_->text() != input || rowNumber_->text() != rowAfter) {
    return QStringLiteral("clearing changed the input box or left the row-number box at %1")
        .arg(rowNumber_->text());
  }
  return {};
}

QString Session::Delete() {
  // The menu item, or the pop-up's Ctrl+F; the Del key belongs to a box
  // that has the focus.
  const bool fromMenu = random_.Chance(50);
  const Rows before = ListRows();
  const std::optional<int> selected = w_.form.SelectedRow();
  const QString input = input_->text();
  const QString row = rowNumber_->text();
  if (fromMenu) {
    Note(QStringLiteral("menu item 删除"));
    w_.Find<QAction>("删除")->trigger();
  } else {
    Command(QStringLiteral("删除1"), Qt::Key_F);
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

}  // namespace sumvane::session
