// Typing, Enter, clicks on the row-number box and the list, the group and the
// method: what the entry frame does with each.
#include <algorithm>

#include "random_session/figures.h"
#include "random_session/session.h"

namespace sumvane::session {

QString Session::RowNumberText() {
  const int count = w_.form.List().Count();
  if (random_.Chance(55)) return QString::number(static_cast<int>(random_.Below(count + 3)));
  if (random_.Chance(20)) return QString::number(random_.Below(count + 2)) + QStringLiteral(".5");
  return random_.AnyText();
}

QString Session::EntryStartedAfresh(const QString& what) const {
  const QString row = QString::number(w_.form.List().FirstEmptyRow(Group()));
  if (rowNumber_->text() == row && input_->text().isEmpty()) return {};
  return QStringLiteral(
             "after %1 the row-number box shows %2 (first empty row %3) and the data "
             "box %4")
      .arg(what, Shown(rowNumber_->text()), row, Shown(input_->text()));
}

QString Session::TypeIntoABox() {
  QList<QLineEdit*> boxes;
  for (QLineEdit* box : w_.form.findChildren<QLineEdit*>()) {
    if (Usable(box)) boxes << box;
  }
  if (boxes.isEmpty()) return {};
  QLineEdit* box = boxes[random_.Below(boxes.size())];
  const QString name = box->objectName();
  const QString text = box == rowNumber_                           ? RowNumberText()
                       : name.startsWith(QStringLiteral("Text11")) ? random_.CountText()
                       : random_.Chance(60)                        ? random_.NumberLike()
                                                                   : random_.AnyText();
  Note(QStringLiteral("type %1 into %2").arg(Shown(text), name));
  Type(box, text);
  return {};
}

QString Session::TypeAndEnter() {
  if (random_.Chance(25)) {
    const QString row = RowNumberText();
    Note(QStringLiteral("type %1 into Text2").arg(Shown(row)));
    Type(rowNumber_, row);
  }
  const QString value = random_.Chance(4) ? QString() : random_.ValueText();
  Note(QStringLiteral("type %1 into Text1").arg(Shown(value)));
  Type(input_, value);
  return PressEnter();
}

QString Session::EnterAsItStands() { return PressEnter(); }

QString Session::PressEnter() {
  const QString input = input_->text();
  const QString rowText = rowNumber_->text();
  const Rows before = ListRows();
  const int count = static_cast<int>(before.size());
  const int group = Group();
  const qsizetype messages = w_.log->messages.size();
  Note(QStringLiteral("Enter with %1 in Text1, %2 in Text2, group %3, %4 rows")
           .arg(Shown(input), Shown(rowText))
           .arg(group)
           .arg(count));
  input_->setFocus();
  QTest::keyClick(input_, Qt::Key_Return);

  if (input.isEmpty()) {
    if (w_.log->messages.size() != messages + 1 ||
        w_.log->messages.last() != QStringLiteral("输入数据不能为空！")) {
      return QStringLiteral("an empty Enter showed no message");
    }
    if (const QString d = RowsDifference(ListRows(), before); !d.isEmpty()) {
      return QStringLiteral("an empty Enter changed the list: ") + d;
    }
    return {};
  }
  if (!IsPlainNumber(input)) {
    if (const QString d = RowsDifference(ListRows(), before); !d.isEmpty()) {
      return QStringLiteral("Enter stored %1, which is no number: %2").arg(Shown(input), d);
    }
    if (input_->text() != input || rowNumber_->text() != rowText) {
      return QStringLiteral("Enter of no number changed the input or row-number box");
    }
    return {};
  }
  ++enters_;
  Rows expected = before;
  const double target = RowNumberValue(rowText);
  auto place = [&](SampleRow& row) { (group == 1 ? row.group1 : row.group2) = Std(input); };
  if (target > count) {
    if (count < kMostRows) {
      expected.push_back({Std(rowText), "", ""});
      place(expected.back());
    }
  } else if (const auto position = OverwritePosition(target, count)) {
    place(expected[*position - 1]);
  }
  if (const QString d = RowsDifference(ListRows(), expected); !d.isEmpty()) {
    return QStringLiteral("after Enter (row number %1, %2 rows before): %3")
        .arg(Shown(rowText))
        .arg(count)
        .arg(d);
  }
  if (!input_->text().isEmpty()) return QStringLiteral("Enter left the input box filled");
  ForgetRecomputed(false);
  return {};
}

QString Session::ClickRowNumber() {
  Note(QStringLiteral("click Text2"));
  QTest::mouseClick(rowNumber_, Qt::LeftButton);
  const QString expected = QString::number(FirstEmptyRow(ListRows(), Group()));
  if (rowNumber_->text() != expected) {
    return QStringLiteral("a click in the row-number box shows %1, expected %2")
        .arg(Shown(rowNumber_->text()), expected);
  }
  return {};
}

QString Session::ClickRow() {
  const int count = w_.form.List().Count();
  const int position = 1 + static_cast<int>(random_.Chance(70) ? random_.Below(std::min(count, 40))
                                                               : random_.Below(count));
  const QModelIndex index = view_->model()->index(position - 1, static_cast<int>(random_.Below(3)));
  const QString rowNumberBefore = rowNumber_->text();
  Note(QStringLiteral("click row %1 of %2 in L1").arg(position).arg(count));
  view_->scrollTo(index);
  const QRect rect = view_->visualRect(index);
  if (!view_->viewport()->rect().contains(rect.center())) {
    return QStringLiteral("row %1 cannot be brought into view").arg(position);
  }
  QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, rect.center());
  const sumvane::SampleList& list = w_.form.List();
  const std::optional<int> selected = w_.form.SelectedRow();
  if (selected != std::optional<int>(position)) {
    return QStringLiteral("clicking row %1 selected %2")
        .arg(position)
        .arg(selected ? QString::number(*selected) : QStringLiteral("none"));
  }
  const QString cell = Qt8(std::string(*list.Cell(position, Group())));
  if (input_->text() != cell.left(input_->maxLength())) {
    return QStringLiteral("clicking row %1 put %2 into the input box, its cell is %3")
        .arg(position)
        .arg(Shown(input_->text()), Shown(cell));
  }
  // The row's position, pulled back to the group's first empty row when
  // that changes the box's text.
  const int shown = rowNumberBefore == QString::number(position)
                        ? position
                        : std::min(position, FirstEmptyRow(ListRows(), Group()));
  if (rowNumber_->text() != QString::number(shown)) {
    return QStringLiteral("clicking row %1 put %2 into the row-number box, expected %3")
        .arg(position)
        .arg(Shown(rowNumber_->text()))
        .arg(shown);
  }
  return {};
}

QString Session::KeysInTheList() {
  static const Qt::Key kKeys[] = {Qt::Key_Down, Qt::Key_Up,       Qt::Key_Home,
                                  Qt::Key_End,  Qt::Key_PageDown, Qt::Key_Return};
  const Qt::Key key = kKeys[random_.Below(std::size(kKeys))];
  Note(QStringLiteral("key %1 in L1").arg(QKeySequence(key).toString()));
  view_->setFocus();
  QTest::keyClick(view_, key);
  return {};
}

QString Session::ChooseGroup() {
  const int group = 1 + static_cast<int>(random_.Below(2));
  Note(QStringLiteral("choose group %1").arg(group));
  w_.Click(group == 1 ? QStringLiteral("Option1") : QStringLiteral("Option2"));
  if (Group() != group) return QStringLiteral("group %1 did not become current").arg(group);
  const QString expected = QString::number(FirstEmptyRow(ListRows(), group));
  if (rowNumber_->text() != expected) {
    return QStringLiteral("choosing group %1 shows row number %2, expected %3")
        .arg(group)
        .arg(Shown(rowNumber_->text()), expected);
  }
  return {};
}

QString Session::ChooseMethod() {
  const int method = static_cast<int>(random_.Below(5));
  Note(QStringLiteral("choose method %1").arg(method));
  w_.Click(QStringLiteral("Command1(%1)").arg(method));
  if (w_.form.CurrentMethod() != method) return QStringLiteral("the method did not change");
  if (w_.form.List().Count() != 0) return QStringLiteral("choosing a method left rows");
  return EntryStartedAfresh(QStringLiteral("choosing a method"));
}

QString Session::ClickCalculate() {
  Note(QStringLiteral("click Calculate"));
  w_.Click(QStringLiteral("Command2"));
  ForgetRecomputed(true);
  return {};
}

}  // namespace sumvane::session
