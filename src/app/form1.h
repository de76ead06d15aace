// The main window. It assembles the parts and switches between the two
// arrangements; each part is a class of its own:
//
//   MethodButtons     the five analysis buttons and the caption of the chosen one
//   ReferenceTables   the t, chi-square and r tables, one on show
//   SampleListView    the list L1 over the SampleListModel, with its pop-up menu
//   FourfoldTable     the drawn table of counts that replaces the list for chi-square
//   EntryFrame        the group buttons, row number, data box and Calculate
//   AnalysisPanel     one result panel per analysis (panels/)
//   Actions           the menus, toolbar and pop-up, built from one set of actions
//   EditCommands      clear, delete, undo, redo, paste and copy
//   FileCommands      import and export
//   RecoveryRecorder  the journal from which the next start restores the work
//                     after a crash
//
// The statistics live in the engine (src/stats) and the raw data in the
// SampleList (src/entry). Every change of the list, whoever made it, is
// announced by the list model and reaches the panel on show through
// ListChanged; a change of a fourfold cell reaches it through CellsChanged.
// Which analyses there are, and what each needs of the window, is in their
// descriptions (analyses.h).
//
// Every control carries its design name as objectName ("Text3(0)", "L1",
// "Command1(4)"), so tests and scripts find it by name.
#pragma once

#include <QMainWindow>
#include <QUndoStack>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/actions.h"
#include "app/analysis.h"
#include "app/dialogs.h"
#include "app/file_commands.h"
#include "stats/answer_text.h"

namespace sumvane {

class AnalysisPanel;
class EditCommands;
class EntryFrame;
class FourfoldTable;
class MethodButtons;
class ReferenceTables;
class ReportWindow;
class SampleSizeWindow;
class HelpWindow;
class SampleList;
class SampleListModel;
class SampleListView;
class RecoveryRecorder;
struct JournalState;
struct ListChange;

class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  // Tests install scripted dialogs; the default shows the real ones.
  void SetDialogs(std::unique_ptr<Dialogs> dialogs);

  std::int16_t CurrentMethod() const { return static_cast<std::int16_t>(analysis_); }
  // The sizes of the list's groups, which each change of the list gives the
  // panel on show.
  std::int16_t LastN1() const;
  std::int16_t LastN2() const;
  const SampleList& List() const;
  SampleListModel* ListModel() const { return model_; }
  // The row chosen in the list view, by its position; none when no row is.
  std::optional<int> SelectedRow() const;

  // The commands, as the menus, the toolbar and the pop-up menu run them.
  void ChooseMethod(int method);
  void Calculate();
  void ImportSampleList();
  void ExportSampleList();
  void ClearFromMenu();
  void ClearList();
  void DeleteSelectedRow();
  void OpenHelp();
  void OpenReport();
  void OpenSampleSize();
  // The panel's figures onto the clipboard: caption, a tab, the figure.
  void CopyResults();
  void ExitProgram();
  // The file named on the command line: imported as 导入 imports it, once
  // the window is up and the question about a journal left by a crash is
  // answered.
  void ImportAtStart(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildParts(QWidget* client);
  void ConnectParts();
  void SetTabOrder();
  void StartUp();
  void OfferRecovery();
  void Restore(const JournalState& state);
  bool TableMode() const { return ReadsFourfoldTable(analysis_); }
  AnalysisPanel* CurrentPanel() const { return panels_[Number(analysis_)]; }
  void FollowList(const ListChange& change);
  void TellPanelListChanged(std::optional<int> enteredGroup);
  void TellPanelCellsChanged();
  void PointTableAtAnswer();
  void SetAlpha(Alpha alpha);
  void Note(const QString& text);

  std::unique_ptr<Dialogs> dialogs_;
  Analysis analysis_ = Analysis::kTwoSample;
  SampleListModel* model_ = nullptr;
  QUndoStack* undo_ = nullptr;
  Actions actions_;
  MethodButtons* methods_ = nullptr;
  ReferenceTables* tables_ = nullptr;
  SampleListView* listView_ = nullptr;
  FourfoldTable* fourfoldTable_ = nullptr;
  EntryFrame* entry_ = nullptr;
  std::array<AnalysisPanel*, kAnalysisCount> panels_{};
  FileCommands* files_ = nullptr;
  EditCommands* edits_ = nullptr;
  ReportWindow* report_ = nullptr;
  SampleSizeWindow* sampleSize_ = nullptr;
  HelpWindow* help_ = nullptr;
  RecoveryRecorder* recorder_ = nullptr;
  QString startFile_;
};

}  // namespace sumvane
