// A long, seeded session of random user actions on the real window. Each
// action checks what it must have done, and after every action the window
// must still hold together (invariants.cpp).
#pragma once

#include <QHash>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUndoStack>
#include <deque>
#include <initializer_list>
#include <optional>

#include "random_session/random_texts.h"
#include "random_session/rows_text.h"
#include "window_test_support.h"

namespace sumvane::session {

class Session {
 public:
  Session(unsigned long long seed, int actions);

  // The first broken expectation, with the seed and the action; empty when
  // the whole session held together.
  QString Run();

  int Imports() const { return imports_; }
  int Exports() const { return exports_; }
  int Enters() const { return enters_; }
  int Compared() const { return compared_; }
  int MostRows() const { return mostRows_; }
  int Pasted() const { return pasted_; }
  int Copies() const { return copies_; }
  int Stretches() const { return stretches_; }
  int StepsTakenBack() const { return stepsTakenBack_; }

 private:
  // --- the user's hands (session.cpp) ---
  QString Step();
  void Note(const QString& line);
  void Type(QLineEdit* box, const QString& text);
  // Runs a window command from its menu item or from its key, with the focus
  // wherever it happens to be.
  void Command(const QString& action, Qt::Key key,
               Qt::KeyboardModifiers modifiers = Qt::ControlModifier);
  // A key pressed in a control of the main window, which the user brings
  // back to the front over the help window first.
  void KeyIn(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  bool Usable(QWidget* widget) const { return widget->isVisible() && widget->isEnabled(); }
  bool ListMode() const { return w_.form.CurrentMethod() <= 2; }
  int Group() const { return option1_->isChecked() ? 1 : 2; }
  const Rows& ListRows() const { return w_.form.List().Rows(); }
  // The boxes the system has just written lose what the user typed there.
  void Forget(std::initializer_list<const char*> names);
  void ForgetRecomputed(bool bothGroups);
  // What the panel on show recomputes from: the list, or the fourfold cells.
  std::pair<Rows, QStringList> Inputs() const;
  // After a command that may have changed them, the panel's boxes are the
  // system's when it did.
  void ForgetIfChanged(const std::pair<Rows, QStringList>& before);

  // --- entry (entry_actions.cpp); each action returns what went wrong ---
  QString TypeIntoABox();
  QString TypeAndEnter();
  QString EnterAsItStands();
  QString PressEnter();
  QString ClickRowNumber();
  QString ClickRow();
  QString KeysInTheList();
  QString ChooseGroup();
  QString ChooseMethod();
  QString ClickCalculate();
  QString RowNumberText();
  // After the list moved by more than a value typed or a row deleted, the
  // next Enter appends: what is wrong with the entry frame, if anything.
  QString EntryStartedAfresh(const QString& what) const;

  // --- edits of the list (edit_actions.cpp) ---
  QString Clear();
  QString Delete();
  QString Paste();
  QString Copy();
  QString UndoOrRedo();
  // One step back or forward through the history, from the menu or a key.
  void UndoStep();
  void RedoStep();

  // --- files (file_actions.cpp) ---
  enum class Outcome { kUnchanged, kRows, kAnyRows };  // what an import must leave
  QString NewPath(const QString& stem);
  QString ImportThroughTheWindow(const std::optional<QString>& answer, Outcome outcome,
                                 const Rows& expected, const QString& what);
  QString Import();
  QString ImportAFullList();
  QString Export();
  QString Help();

  // --- what holds after every action (invariants.cpp) ---
  QString CheckInvariants();
  // Now and then, and at the end, the history is taken back to the start of
  // a stretch of actions and forward again (history.cpp).
  QString CheckHistory(bool end);
  QString UndoTheStretch();

  // The list as it stood at a point of the history.
  struct Stretch {
    int index = 0;  // of the history
    Rows rows;
    int action = 0;
  };

  const unsigned long long seed_;
  const int actions_;
  RandomTexts random_;
  const bool verbose_;
  testing::Window w_;
  QTreeView* view_ = nullptr;
  QLineEdit* input_ = nullptr;
  QLineEdit* rowNumber_ = nullptr;
  QRadioButton* option1_ = nullptr;
  QUndoStack* history_ = nullptr;
  std::optional<Stretch> stretch_;
  QTemporaryDir dir_;
  QHash<const QLineEdit*, QString> typed_;  // what the user last typed into a box
  std::deque<QString> recent_;
  int action_ = 0;
  int files_ = 0;
  int imports_ = 0;
  int exports_ = 0;
  int enters_ = 0;
  int compared_ = 0;
  int mostRows_ = 0;
  int pasted_ = 0;  // pastes that changed the list
  int copies_ = 0;
  int stretches_ = 0;
  int stepsTakenBack_ = 0;
};

}  // namespace sumvane::session
