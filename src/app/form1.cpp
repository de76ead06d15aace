#include "app/form1.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QStatusBar>
#include <QUndoStack>

#include "app/edit_commands.h"
#include "app/entry_frame.h"
#include "app/fourfold_table.h"
#include "app/help_window.h"
#include "app/list_view.h"
#include "app/method_buttons.h"
#include "app/orphan_journal.h"
#include "app/panels/analysis_panel.h"
#include "app/panels/panel_set.h"
#include "app/recovery_recorder.h"
#include "app/reference_tables.h"
#include "app/report_pictures.h"
#include "app/report_window.h"
#include "app/resource_icon.h"
#include "app/sample_list_model.h"
#include "app/sample_size_window.h"
#include "app/twips.h"
#include "app/undo_commands.h"
#include "app/widget_kit.h"
#include "stats/fourfold.h"

// The icons are compiled into the static library, whose resource initialiser
// the linker would otherwise drop.
static void InitResources() { Q_INIT_RESOURCE(app); }

namespace sumvane {

Form1::Form1(QWidget* parent) : QMainWindow(parent), dialogs_(std::make_unique<QtDialogs>()) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Sumvane 2.0"));
  InitResources();
  setWindowIcon(ResourceIcon(QStringLiteral(":/icons/sumvane-%1.png"), {16, 32, 48, 128, 256}));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  // Application-wide too, so that the menus, dialogs and tooltips, which are
  // windows of their own and do not inherit the window's font, use the same
  // face and no other face is ever loaded. The window itself was made before
  // this and keeps the font it was made with unless told.
  QApplication::setFont(kit::WindowFont());
  setFont(kit::WindowFont());

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(Px(8175), Px(6480));
  setCentralWidget(client);

  BuildParts(client);
  ConnectParts();
  new ShortcutGuard(this);
  SetTabOrder();
  setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height() +
                                    statusBar()->sizeHint().height());
  StartUp();
}

// Ending normally, the window leaves no journal behind.
Form1::~Form1() { recorder_->Stop(); }

void Form1::SetDialogs(std::unique_ptr<Dialogs> dialogs) { dialogs_ = std::move(dialogs); }

const SampleList& Form1::List() const { return model_->List(); }

std::optional<int> Form1::SelectedRow() const { return listView_->SelectedRow(); }

void Form1::BuildParts(QWidget* client) {
  actions_ = BuildMenus(this);
  BuildToolbar(client, actions_);
  QMenu* popup = BuildPopup(this, actions_);
  methods_ = new MethodButtons(client);
  tables_ = new ReferenceTables(client);
  model_ = new SampleListModel(this);
  undo_ = new QUndoStack(this);
  listView_ = new SampleListView(client, model_, popup);
  fourfoldTable_ = new FourfoldTable(client);
  entry_ = new EntryFrame(client, model_, listView_->selectionModel(), undo_);
  panels_ = BuildPanels(client);
  files_ = new FileCommands(this, model_, undo_, [this]() -> Dialogs& { return *dialogs_; });
  edits_ = new EditCommands(this, model_, undo_, listView_, fourfoldTable_, entry_);
  recorder_ = new RecoveryRecorder(this, model_, fourfoldTable_);
  // Notes that need no answer, such as why a typed text was not stored.
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  statusBar()->setSizeGripEnabled(false);
}

void Form1::ConnectParts() {
  connect(actions_.importList, &QAction::triggered, this, &Form1::ImportSampleList);
  connect(actions_.exportList, &QAction::triggered, this, &Form1::ExportSampleList);
  connect(actions_.exit, &QAction::triggered, this, &Form1::ExitProgram);
  edits_->Attach(actions_);
  connect(actions_.help, &QAction::triggered, this, &Form1::OpenHelp);
  connect(actions_.copyResults, &QAction::triggered, this, &Form1::CopyResults);
  connect(actions_.alpha05, &QAction::triggered, this, [this] { SetAlpha(Alpha::kFivePercent); });
  connect(actions_.alpha01, &QAction::triggered, this, [this] { SetAlpha(Alpha::kOnePercent); });
  connect(actions_.openTable, &QAction::triggered, tables_, &ReferenceTables::OpenWindow);
  connect(actions_.report, &QAction::triggered, this, &Form1::OpenReport);
  connect(actions_.sampleSize, &QAction::triggered, this, &Form1::OpenSampleSize);
  connect(model_, &SampleListModel::ListChanged, this, &Form1::FollowList);
  connect(edits_, &EditCommands::Note, this, &Form1::Note);
  connect(entry_, &EntryFrame::Note, this, &Form1::Note);
  connect(recorder_, &RecoveryRecorder::Note, this, &Form1::Note);

  connect(methods_, &MethodButtons::Chosen, this, &Form1::ChooseMethod);
  connect(listView_, &SampleListView::RowChosen, entry_, &EntryFrame::ShowRow);
  connect(entry_, &EntryFrame::EmptyValueEntered, this,
          [this] { dialogs_->ShowMessage(this, QStringLiteral("输入数据不能为空！")); });
  connect(entry_, &EntryFrame::CalculateRequested, this, &Form1::Calculate);
  connect(fourfoldTable_, &FourfoldTable::CellsChanged, this, &Form1::TellPanelCellsChanged);
  for (AnalysisPanel* panel : panels_) {
    connect(panel, &AnalysisPanel::FiguresChanged, this, [this, panel] {
      if (panel != CurrentPanel()) return;
      PointTableAtAnswer();
      if (report_) report_->Refresh();
    });
  }
}

// Tab follows the reading order: the analysis buttons, the list or the cells,
// the entry controls, the result boxes, the reference table. Hidden controls
// drop out of the chain by themselves.
void Form1::SetTabOrder() {
  QWidgetList chain = methods_->TabChain();
  chain << listView_ << fourfoldTable_->TabChain() << entry_->TabChain();
  for (const AnalysisPanel* panel : panels_) chain << panel->TabChain();
  chain << tables_->TabChain();
  for (qsizetype i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void Form1::StartUp() {
  for (auto* panel : panels_) panel->hide();
  panels_[0]->show();
  analysis_ = Analysis::kTwoSample;
  fourfoldTable_->hide();
  listView_->show();
  // Once the caller installed its dialogs and the event loop runs.
  QMetaObject::invokeMethod(
      this,
      [this] {
        OfferRecovery();
        if (!startFile_.isEmpty()) files_->ImportFile(startFile_, *dialogs_);
      },
      Qt::QueuedConnection);
}

void Form1::ImportAtStart(const QString& path) { startFile_ = path; }

// The old journal is deleted once this window's own journal holds its work;
// when that cannot be written, the old one stays for the next start.
void Form1::OfferRecovery() {
  const std::unique_ptr<OrphanJournal> orphan = OrphanJournal::Take(RecoveryFolder());
  if (!orphan) return;
  if (dialogs_->AskAboutRecovery(this) == Dialogs::Recovery::kRestore) {
    Restore(orphan->State());
    if (!recorder_->WriteNow()) return;
  }
  orphan->Remove();
}

// One step to undo: the analysis chosen (which empties the list and the
// table), the rows and the cells put back; α is a setting, not a step.
void Form1::Restore(const JournalState& state) {
  undo_->beginMacro(QStringLiteral("恢复"));
  ChooseMethod(state.analysis);
  ChangeList(undo_, model_, 1, model_->List().Count(), state.rows, QStringLiteral("恢复"));
  if (state.cells != fourfoldTable_->CellTexts()) {
    undo_->push(new CellsChange(fourfoldTable_, fourfoldTable_->CellTexts(), state.cells));
  }
  undo_->endMacro();
  const bool onePercent = state.alpha == 1;
  (onePercent ? actions_.alpha01 : actions_.alpha05)->setChecked(true);
  SetAlpha(onePercent ? Alpha::kOnePercent : Alpha::kFivePercent);
}

std::int16_t Form1::LastN1() const { return static_cast<std::int16_t>(List().FilledCount(1)); }

std::int16_t Form1::LastN2() const { return static_cast<std::int16_t>(List().FilledCount(2)); }

// The row the user's step ended at stays in view: a row appended is the last,
// shown by scrolling to the bottom, which spares the view's search for the
// row. In list mode every change recomputes the panel on show (after an Enter,
// the group entered), so no figure on screen describes data that is gone;
// choosing an analysis keeps each panel's figures.
void Form1::FollowList(const ListChange& change) {
  if (change.shownRow) {
    if (*change.shownRow == List().Count()) {
      listView_->scrollToBottom();
    } else {
      listView_->scrollTo(model_->index(*change.shownRow - 1, change.enteredGroup.value_or(0)));
    }
  }
  if (!TableMode() && !change.analysisChosen) TellPanelListChanged(change.enteredGroup);
}

void Form1::TellPanelListChanged(std::optional<int> enteredGroup) {
  CurrentPanel()->TakeList(List(), enteredGroup);
}

void Form1::TellPanelCellsChanged() {
  const std::array<std::string, 4> cells = fourfoldTable_->CellTexts();
  CurrentPanel()->CellsChanged({cells[0], cells[1], cells[2], cells[3]});
}

void Form1::PointTableAtAnswer() { tables_->PointAt(CurrentPanel()->Question()); }

// Made when first asked for, so that start-up does not pay for it.
void Form1::OpenReport() {
  if (!report_) {
    report_ = MakeReportWindow(
        this, [this]() -> const AnalysisPanel& { return *CurrentPanel(); },
        [this]() -> const SampleList& { return List(); },
        [this]() -> Dialogs& { return *dialogs_; },
        [this](std::optional<double> x0) {
          for (AnalysisPanel* panel : panels_) panel->PredictAt(x0);
        });
  }
  report_->Open();
}

void Form1::OpenSampleSize() {
  if (!sampleSize_)
    sampleSize_ = new SampleSizeWindow(this, [this]() -> Dialogs& { return *dialogs_; });
  sampleSize_->Open();
}

void Form1::SetAlpha(Alpha alpha) {
  for (AnalysisPanel* panel : panels_) panel->SetAlpha(alpha);
  recorder_->AlphaChosen(alpha == Alpha::kOnePercent ? 1 : 0);
}

void Form1::Note(const QString& text) { statusBar()->showMessage(text, 10000); }

// Choosing an analysis clears the list and, for the chi-square analyses, the
// table, as one step: undone, the rows come back under the analysis now
// chosen, which is how a user reuses data for another test.
void Form1::ChooseMethod(int method) {
  if (method < 0 || method >= kAnalysisCount) return;
  undo_->beginMacro(QStringLiteral("选择分析"));
  edits_->EmptyList(QStringLiteral("选择分析"), {.analysisChosen = true});
  for (auto* panel : panels_) panel->hide();
  panels_[method]->show();
  methods_->ShowChosen(Analysis(method));
  analysis_ = Analysis(method);
  recorder_->AnalysisChosen(method);

  tables_->ShowFor(analysis_);
  PointTableAtAnswer();
  if (report_) report_->Refresh();
  entry_->SetTableMode(TableMode());
  edits_->SetTableMode(TableMode());
  listView_->setVisible(!TableMode());
  fourfoldTable_->setVisible(TableMode());
  if (TableMode()) {
    fourfoldTable_->ShowCaptions(analysis_);
    edits_->EmptyTable();
  }
  undo_->endMacro();
}

// In table mode Calculate repeats the calculation a cell change runs.
void Form1::Calculate() {
  if (TableMode()) {
    fourfoldTable_->Recalculate();
  } else {
    TellPanelListChanged(std::nullopt);
  }
}

void Form1::ImportSampleList() { files_->Import(*dialogs_); }

// The cells are in no file: with any of them filled, the journal still
// holds work that an export did not save.
void Form1::ExportSampleList() {
  const bool cellsEmpty = fourfoldTable_->CellTexts() == FourfoldTable::Cells{};
  if (files_->Export(*dialogs_) && cellsEmpty) recorder_->Discard();
}

void Form1::ClearFromMenu() { edits_->Clear(); }

void Form1::ClearList() { edits_->ClearList(); }

void Form1::DeleteSelectedRow() { edits_->DeleteSelectedRow(); }

void Form1::OpenHelp() {
  if (!help_) help_ = new HelpWindow(this, [this]() -> Dialogs& { return *dialogs_; });
  help_->Open();
}

void Form1::CopyResults() {
  QApplication::clipboard()->setText(CurrentPanel()->ResultText());
  Note(QStringLiteral("已复制结果"));
}

void Form1::ExitProgram() {
  if (close()) QCoreApplication::quit();
}

// Nothing typed is lost by accident: list changes never exported are offered
// for export first.
void Form1::closeEvent(QCloseEvent* event) {
  if (files_->MayDiscardList(*dialogs_)) {
    recorder_->Stop();
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace sumvane
