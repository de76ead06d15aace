// The main window. The statistics live in the engine (src/stats) and the raw
// data in the SampleList (src/entry); this class only binds them to widgets.
//
// Every control carries its design name as objectName ("Text3(0)", "L1",
// "Command1(4)"), so tests and scripts find it by name. Results flow one way,
// through text: a write into a panel box raises that box's textChanged at once,
// and the panel's own recalculation runs before the writer's next step, so the
// order of the writes below decides what each box ends up showing.
#pragma once

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/dialogs.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolBar;
class QTreeView;

namespace sumvane {

class FourfoldTable;
class SampleListModel;
class SampleList;

class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  // Tests install scripted dialogs; the default shows the real ones.
  void SetDialogs(std::unique_ptr<Dialogs> dialogs);

  std::int16_t CurrentMethod() const { return current_method_; }
  std::int16_t LastN1() const { return last_n1_; }
  std::int16_t LastN2() const { return last_n2_; }
  const SampleList& List() const;
  // The row chosen in the list view, by its position; none when no row is.
  std::optional<int> SelectedRow() const;
  SampleListModel* ListModel() const { return model_; }

  // The commands, as the menus, the toolbar and the pop-up menu run them.
  void ChooseMethod(int method);
  void Calculate();
  void ImportSampleList();
  void ExportSampleList();
  void ClearFromMenu();
  void ClearList();
  void DeleteSelectedRow();
  void OpenHelp();
  void ExitProgram();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolbar(QWidget* client);
  void BuildMethodButtons(QWidget* client);
  void BuildTables(QWidget* client);
  void BuildList(QWidget* client);
  void BuildFourfoldTable(QWidget* client);
  void BuildEntryFrame(QWidget* client);
  void BuildPanels(QWidget* client);
  void BuildTwoSamplePanel(QWidget* panel);
  void BuildPairedPanel(QWidget* panel);
  void BuildRegressionPanel(QWidget* panel);
  void BuildFourfoldPanel(QWidget* panel);
  void BuildPairedChiSquarePanel(QWidget* panel);
  void SetTabOrder();
  void StartUp();

  // Panel recalculations, run by the boxes' change notifications.
  void RecalculateTwoSample(int index);
  void RecalculatePaired();
  void RecalculateTOfR();
  void RecalculateFourfold();

  // The procedures that turn the list into summary figures.
  void WriteTwoSampleGroup(int group);
  void WriteTwoSampleDegrees();
  void CalculatePaired();
  void CalculateRegression();
  void ComputeFromList(std::optional<int> enteredGroup);

  // Data entry.
  int CurrentGroup() const;
  void EnterValue();
  void CapRowNumber();
  void RowNumberClicked();
  void GroupChosen(int group);
  void RowClicked();
  void EmptyFourfoldTable();

  std::unique_ptr<Dialogs> dialogs_;
  SampleListModel* model_ = nullptr;
  std::int16_t current_method_ = 0;
  std::int16_t last_n1_ = 0;
  std::int16_t last_n2_ = 0;

  std::array<QPushButton*, 5> command1_{};
  QLabel* label12_ = nullptr;
  QPlainTextEdit* text14_ = nullptr;
  QPlainTextEdit* text16_ = nullptr;
  QPlainTextEdit* text17_ = nullptr;
  QTreeView* l1_ = nullptr;
  FourfoldTable* picture3_ = nullptr;
  QLabel* label16_ = nullptr;
  std::array<QLabel*, 7> label17_{};
  std::array<QLineEdit*, 4> text11_{};
  std::array<QLabel*, 5> label18_{};
  QRadioButton* option1_ = nullptr;
  QRadioButton* option2_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QPushButton* command2_ = nullptr;
  std::array<QWidget*, 5> frame4_{};
  std::array<QLineEdit*, 10> text3_{};  // elements 7 and 8 do not exist
  std::array<QLineEdit*, 4> text5_{};
  QLineEdit* text6_ = nullptr;
  QLineEdit* text7_ = nullptr;
  QLineEdit* text8_ = nullptr;
  QLineEdit* text9_ = nullptr;
  QLineEdit* text10_ = nullptr;
  std::array<QLabel*, 5> label20_{};
  QLineEdit* text15_ = nullptr;
  QLineEdit* text12_ = nullptr;
  QLineEdit* text13_ = nullptr;
  QMenu* popup_ = nullptr;
};

}  // namespace sumvane
