// Paste into the list and copy of it, checked against the clipboard model.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QStatusBar>

#include "random_session/clipboard_model.h"
#include "random_session/clipboard_texts.h"
#include "random_session/session.h"

namespace sumvane::session {

QString Session::Paste() {
  QClipboard* clipboard = QApplication::clipboard();
  QString text;
  if (random_.Chance(15) && !OutsidePasteModel(ListRows())) {
    Note(QStringLiteral("menu item 复制"));
    w_.Find<QAction>(QStringLiteral("复制"))->trigger();
    text = clipboard->text();
  } else {
    text = ClipboardText(random_);
    clipboard->setText(text);
  }
  const Rows before = ListRows();
  const auto inputs = Inputs();
  const PasteExpectation expected = ExpectedPaste(text, before, Group());
  const QString input = input_->text();
  // Whether a single value fits the data box whole, where it replaces the
  // selection; the box loses its selection when the focus leaves it for the
  // list.
  const unsigned how = random_.Below(3);
  const bool keepsSelection = input_->hasFocus() && how != 2;
  const qsizetype room =
      input_->maxLength() - input.size() + (keepsSelection ? input_->selectedText().size() : 0);
  const QString shown =
      QStringLiteral("%1 (%2 rows, group %3)").arg(Shown(text)).arg(before.size()).arg(Group());
  if (how == 0) {
    Note(QStringLiteral("menu item 粘贴 with ") + shown);
    w_.Find<QAction>(QStringLiteral("粘贴"))->trigger();
  } else {
    QWidget* target = how == 1 ? static_cast<QWidget*>(input_) : view_;
    Note(QStringLiteral("Ctrl+V in %1 with %2").arg(target->objectName(), shown));
    KeyIn(target, Qt::Key_V, Qt::ControlModifier);
  }
  ForgetIfChanged(inputs);
  switch (expected.kind) {
    case PasteExpectation::Kind::kRows:
      if (const QString d = RowsDifference(ListRows(), expected.rows); !d.isEmpty()) {
        return QStringLiteral("pasting %1: %2").arg(Shown(text), d);
      }
      ++pasted_;
      return EntryStartedAfresh(QStringLiteral("pasting rows"));
    case PasteExpectation::Kind::kRefused:
      if (const QString d = RowsDifference(ListRows(), before); !d.isEmpty()) {
        return QStringLiteral("pasting %1, which must be refused: %2").arg(Shown(text), d);
      }
      return {};
    case PasteExpectation::Kind::kSingleValue:
      if (const QString d = RowsDifference(ListRows(), before); !d.isEmpty()) {
        return QStringLiteral("pasting the single value %1 changed the list: %2")
            .arg(Shown(text), d);
      }
      if (text.size() <= room && !input_->text().contains(expected.value)) {
        return QStringLiteral("pasting the single value %1 left %2 in the data box")
            .arg(Shown(text), Shown(input_->text()));
      }
      return {};
  }
  return {};
}

QString Session::Copy() {
  QApplication::clipboard()->clear();
  if (random_.Chance(50)) {
    Note(QStringLiteral("menu item 复制"));
    w_.Find<QAction>(QStringLiteral("复制"))->trigger();
  } else {
    Note(QStringLiteral("Ctrl+C in L1"));
    KeyIn(view_, Qt::Key_C, Qt::ControlModifier);
  }
  ++copies_;
  const QString copied = QApplication::clipboard()->text();
  const QString expected = ExpectedCopy(ListRows());
  if (copied != expected) {
    const qsizetype at =
        std::mismatch(copied.begin(), copied.end(), expected.begin(), expected.end()).first -
        copied.begin();
    return QStringLiteral("the copy of %1 rows differs at character %2: %3, expected %4")
        .arg(ListRows().size())
        .arg(at)
        .arg(Shown(copied.mid(at, 30)), Shown(expected.mid(at, 30)));
  }
  return {};
}

}  // namespace sumvane::session
