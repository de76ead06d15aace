#include "random_session/session.h"

#include <QAction>
#include <QInputMethodEvent>
#include <algorithm>
#include <cstdio>

#include "random_session/crash_report.h"

namespace sumvane::session {

Session::Session(unsigned long long seed, int actions)
    : seed_(seed),
      actions_(actions),
      random_(seed),
      verbose_(qEnvironmentVariableIntValue("SUMVANE_VERBOSE") != 0) {
  view_ = w_.Find<QTreeView>(QStringLiteral("L1"));
  input_ = w_.Box(QStringLiteral("Text1"));
  rowNumber_ = w_.Box(QStringLiteral("Text2"));
  option1_ = w_.Find<QRadioButton>(QStringLiteral("Option1"));
  history_ = w_.form.findChild<QUndoStack*>();
  stretch_ = Stretch{history_->index(), ListRows(), 0};
}

QString Session::Run() {
  if (!dir_.isValid()) return QStringLiteral("no temporary folder");
  for (action_ = 1; action_ <= actions_; ++action_) {
    SetCrashAction(action_);
    QString problem = Step();
    QCoreApplication::processEvents();
    if (problem.isEmpty()) problem = CheckInvariants();
    if (problem.isEmpty()) problem = CheckHistory(action_ == actions_);
    if (!problem.isEmpty()) {
      QString report = QStringLiteral("SUMVANE_SEED=%1, action %2 of %3: %4\nlast actions:")
                           .arg(seed_)
                           .arg(action_)
                           .arg(actions_)
                           .arg(problem);
      for (const QString& line : recent_) report += QStringLiteral("\n  ") + line;
      return report;
    }
  }
  return {};
}

QString Session::Step() {
  struct Choice {
    int weight;
    QString (Session::*run)();
  };
  const bool list = ListMode();
  const bool rows = w_.form.List().Count() > 0;
  const Choice choices[] = {
      {30, &Session::TypeIntoABox},
      {list ? 22 : 0, &Session::TypeAndEnter},
      {list ? 3 : 0, &Session::EnterAsItStands},
      {list ? 3 : 0, &Session::ClickRowNumber},
      {list && rows ? 7 : 0, &Session::ClickRow},
      {list && rows ? 2 : 0, &Session::KeysInTheList},
      {list ? 5 : 0, &Session::ChooseGroup},
      {2, &Session::ChooseMethod},
      {8, &Session::ClickCalculate},
      {2, &Session::Clear},
      {rows ? 5 : 1, &Session::Delete},
      {list ? 4 : 0, &Session::Paste},
      {list ? 2 : 0, &Session::Copy},
      {4, &Session::UndoOrRedo},
      {4, &Session::Import},
      {3, &Session::Export},
      {random_.Chance(10) ? 1 : 0, &Session::ImportAFullList},
      {random_.Chance(20) ? 1 : 0, &Session::Help},
  };
  int total = 0;
  for (const Choice& c : choices) total += c.weight;
  int pick = static_cast<int>(random_.Below(total));
  for (const Choice& c : choices) {
    if (pick < c.weight) return (this->*c.run)();
    pick -= c.weight;
  }
  return {};
}

void Session::Note(const QString& line) {
  const QString entry = QStringLiteral("%1: %2").arg(action_).arg(line);
  if (verbose_) std::fprintf(stderr, "%s\n", qPrintable(entry));
  recent_.push_back(entry);
  if (recent_.size() > 12) recent_.pop_front();
}

// Replaces the box's text from the keyboard (or adds to it), the way a user
// does; characters beyond the Latin keys arrive as an input method commit,
// and so do very long texts, as a paste would.
void Session::Type(QLineEdit* box, const QString& text) {
  box->setFocus();
  if (random_.Chance(80)) {
    box->selectAll();
  } else {
    QTest::keyClick(box, Qt::Key_End);
    for (unsigned i = random_.Below(3); i > 0; --i) QTest::keyClick(box, Qt::Key_Backspace);
  }
  if (text.isEmpty()) {
    QTest::keyClick(box, Qt::Key_Delete);
  } else if (text.size() <= 40 && std::all_of(text.begin(), text.end(), [](QChar c) {
               return c.unicode() >= 0x20 && c.unicode() < 0x7F;
             })) {
    QTest::keyClicks(box, text);
  } else {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
  }
  typed_[box] = box->text();
}

void Session::Command(const QString& action, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  if (random_.Chance(60)) {
    Note(QStringLiteral("menu item %1").arg(action));
    w_.Find<QAction>(action)->trigger();
  } else {
    // Keys go where the user types: the focused control of the main window,
    // which the user brings back to the front over the help window.
    QApplication::setActiveWindow(&w_.form);
    QWidget* focus = QApplication::focusWidget();
    QWidget* target = focus && focus->window() == &w_.form ? focus : &w_.form;
    Note(QStringLiteral("%1 in %2")
             .arg(QKeySequence(key | modifiers).toString(), target->objectName()));
    QTest::keyClick(target, key, modifiers);
  }
}

void Session::KeyIn(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QApplication::setActiveWindow(&w_.form);
  target->setFocus();
  QTest::keyClick(target, key, modifiers);
}

void Session::Forget(std::initializer_list<const char*> names) {
  for (const char* name : names) typed_.remove(w_.Box(QLatin1String(name)));
}

void Session::ForgetRecomputed(bool bothGroups) {
  switch (w_.form.CurrentMethod()) {
    case 0:
      if (bothGroups || Group() == 1) Forget({"Text3(0)", "Text3(2)", "Text3(4)"});
      if (bothGroups || Group() == 2) Forget({"Text3(1)", "Text3(3)", "Text3(5)"});
      break;
    case 1:
      Forget({"Text5(0)", "Text5(1)", "Text5(2)"});
      break;
    case 2:
      Forget({"Text8", "Text9", "Text10"});
      break;
    case 3:
      if (bothGroups) Forget({"Text15"});
      break;
    default:
      break;
  }
}

std::pair<Rows, QStringList> Session::Inputs() const {
  QStringList cells;
  for (int i = 0; i < 4; ++i) {
    cells << w_.form.findChild<QLineEdit*>(QStringLiteral("Text11(%1)").arg(i))->text();
  }
  return {ListRows(), cells};
}

void Session::ForgetIfChanged(const std::pair<Rows, QStringList>& before) {
  const auto after = Inputs();
  if (ListMode() ? after.first != before.first : after.second != before.second) {
    ForgetRecomputed(true);
  }
}

}  // namespace sumvane::session
