// The history's promise: every step back to the start of a stretch gives the
// list exactly as it stood then, and every step forward again the list as it
// stood before.
#include "random_session/session.h"

namespace sumvane::session {

QString Session::CheckHistory(bool end) {
  // Undone past its start, the stretch's later steps are gone with the next
  // change; a new stretch starts here.
  if (stretch_ && history_->index() < stretch_->index) stretch_.reset();
  if (!stretch_) {
    if (random_.Chance(5)) stretch_ = Stretch{history_->index(), ListRows(), action_};
    return {};
  }
  if (!end && !random_.Chance(3)) return {};
  return UndoTheStretch();
}

QString Session::UndoTheStretch() {
  const Stretch start = std::move(*stretch_);
  stretch_.reset();
  const Rows now = ListRows();
  const int top = history_->index();
  const auto inputs = Inputs();
  Note(QStringLiteral("undo %1 steps back to action %2, then redo them")
           .arg(top - start.index)
           .arg(start.action));
  ++stretches_;
  stepsTakenBack_ += top - start.index;
  for (int i = start.index; i < top; ++i) UndoStep();
  ForgetIfChanged(inputs);
  if (history_->index() != start.index) {
    return QStringLiteral("undoing back to action %1 stopped at step %2 of the history, not %3")
        .arg(start.action)
        .arg(history_->index())
        .arg(start.index);
  }
  if (const QString d = RowsDifference(ListRows(), start.rows); !d.isEmpty()) {
    return QStringLiteral("undone back to action %1: %2").arg(start.action).arg(d);
  }
  const auto undone = Inputs();
  for (int i = start.index; i < top; ++i) RedoStep();
  ForgetIfChanged(undone);
  if (history_->index() != top) {
    return QStringLiteral("redoing stopped at step %1 of the history, not %2")
        .arg(history_->index())
        .arg(top);
  }
  if (const QString d = RowsDifference(ListRows(), now); !d.isEmpty()) {
    return QStringLiteral("redone from action %1: %2").arg(start.action).arg(d);
  }
  return {};
}

}  // namespace sumvane::session
