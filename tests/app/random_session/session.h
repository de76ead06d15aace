// A long, seeded session of random user actions on the real window. Each
// action checks what it must have done, and after every action the window
// must still hold together (invariants.cpp).
#pragma once

#include <QHash>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeView>
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

 private:
  // --- the user's hands (session.cpp) ---
  QString Step();
  void Note(const QString& line);
  void Type(QLineEdit* box, const QString& text);
  // Runs a window command from its menu item or from its key, with the focus
  // wherever it happens to be.
  void Command(const QString& action, Qt::Key key);
  bool Usable(QWidget* widget) const { return widget->isVisible() && widget->isEnabled(); }
  bool ListMode() const { return w_.form.CurrentMethod() <= 2; }
  int Group() const { return option1_->isChecked() ? 1 : 2; }
  const Rows& ListRows() const { return w_.form.List().Rows(); }
  // The boxes the system has just written lose what the user typed there.
  void Forget(std::initializer_list<const char*> names);
  void ForgetRecomputed(bool bothGroups);

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

  // --- edits of the list (edit_actions.cpp) ---
  QString Clear();
  QString Delete();

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

  const unsigned long long seed_;
  const int actions_;
  RandomTexts random_;
  const bool verbose_;
  testing::Window w_;
  QTreeView* view_ = nullptr;
  QLineEdit* input_ = nullptr;
  QLineEdit* rowNumber_ = nullptr;
  QRadioButton* option1_ = nullptr;
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
};

}  // namespace sumvane::session
