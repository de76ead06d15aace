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
#include "app/panels/analysis_panel.h"
#include "app/panels/panel_set.h"
#include "app/pictures/report_pictures.h"
#include "app/reference_tables.h"
#include "app/report_window.h"
#include "app/resource_icon.h"
#include "app/sample_list_model.h"
#include "app/twips.h"
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

Form1::~Form1() = default;

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
  panels_ = BuildPanels(client, groupSizes_);
  files_ = new FileCommands(this, model_, undo_, [this]() -> Dialogs& { return *dialogs_; });
  edits_ = new EditCommands(this, model_, undo_, listView_, fourfoldTable_, entry_);
  entry_->SetValuesPaste([this](const QString& text) { return edits_->PasteValues(text); });
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
  // Every change of the list but an Enter recomputes the panel from all of it.
  const auto recompute = [this] {
    if (!TableMode()) TellPanelListChanged(std::nullopt);
  };
  connect(edits_, &EditCommands::ListChanged, this, recompute);
  connect(files_, &FileCommands::ListChanged, this, recompute);
  connect(edits_, &EditCommands::Note, this, &Form1::Note);
  connect(entry_, &EntryFrame::Note, this, &Form1::Note);

  connect(methods_, &MethodButtons::Chosen, this, &Form1::ChooseMethod);
  connect(listView_, &SampleListView::RowChosen, entry_, &EntryFrame::ShowRow);
  // The row just entered stays in view. A row appended is the last, shown by
  // scrolling to the bottom, which spares the view's search for the row.
  connect(entry_, &EntryFrame::ValueEntered, this, [this](int group, int position) {
    if (position == List().Count()) {
      listView_->scrollToBottom();
    } else {
      listView_->scrollTo(model_->index(position - 1, group));
    }
    TellPanelListChanged(group);
  });
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
        [this]() -> Dialogs& { return *dialogs_; });
  }
  report_->Open();
}

void Form1::SetAlpha(Alpha alpha) {
  for (AnalysisPanel* panel : panels_) panel->SetAlpha(alpha);
}

void Form1::Note(const QString& text) { statusBar()->showMessage(text, 10000); }

// Choosing an analysis clears the list and, for the chi-square analyses, the
// table, as one step: undone, the rows come back under the analysis now
// chosen, which is how a user reuses data for another test.
void Form1::ChooseMethod(int method) {
  if (method < 0 || method >= kAnalysisCount) return;
  undo_->beginMacro(QStringLiteral("选择分析"));
  edits_->EmptyList(QStringLiteral("选择分析"));
  for (auto* panel : panels_) panel->hide();
  panels_[method]->show();
  methods_->ShowChosen(Analysis(method));
  analysis_ = Analysis(method);

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

void Form1::ExportSampleList() { files_->Export(*dialogs_); }

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
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace sumvane
