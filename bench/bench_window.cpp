// The real window under the offscreen platform: one Enter in the input box
// with a full list, against the same Enter with ten rows plus the engine's
// calculation at full size, and the import command with its list view update.
// Each step runs until the window has handled everything it posted, painting
// included, so that the figure is what the user waits for.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "app/dialogs.h"
#include "app/form1.h"
#include "app/fourfold_table.h"
#include "app/orphan_journal.h"
#include "app/panels/analysis_panel.h"
#include "app/recovery_recorder.h"
#include "app/report_pictures.h"
#include "app/sample_list_model.h"
#include "bench_main.h"
#include "files/csv_file.h"
#include "files/sample_file.h"
#include "fixed_file_dialogs.h"
#include "marks.h"
#include "pictures/picture.h"
#include "pictures/power_curve_picture.h"
#include "stats/sample_size_inputs.h"
#include "workloads.h"

namespace sumvane::bench {
namespace {

const char* const kTyped = "65.25";

// Counts the paints of the list view, to show that a step included them.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  long paints = 0;
};

const std::string& FullFilePath() {
  static const std::string path = [] {
    std::string p = ScratchPath("window-full.txt");
    if (!SaveSampleList(MakeList(kFullRows, kFullRows, kFullRows), p)) {
      std::fprintf(stderr, "cannot write %s\n", p.c_str());
    }
    return p;
  }();
  return path;
}

// Lets the window handle what a step posted: delayed layouts, then the
// repaints that they and the step requested.
void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

struct Window {
  Window() {
    form.SetDialogs(std::make_unique<FixedFileDialogs>(QString::fromStdString(FullFilePath())));
    form.show();
    QApplication::setActiveWindow(&form);
    (void)QTest::qWaitForWindowExposed(&form);
    view = form.findChild<QTreeView*>(QStringLiteral("L1"));
    input = form.findChild<QLineEdit*>(QStringLiteral("Text1"));
    rowNumber = form.findChild<QLineEdit*>(QStringLiteral("Text2"));
    view->viewport()->installEventFilter(&counter);
    Settle();
  }
  void Choose(int group) {
    form.findChild<QRadioButton*>(group == 1 ? QStringLiteral("Option1")
                                             : QStringLiteral("Option2"))
        ->click();
    Settle();
  }

  PaintCounter counter;  // outlives the window that it watches
  Form1 form;
  QTreeView* view = nullptr;
  QLineEdit* input = nullptr;
  QLineEdit* rowNumber = nullptr;
  QLineEdit* size = nullptr;  // the two-sample panel's size box of the group entered
};

double Seconds(std::chrono::steady_clock::time_point from) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

// One Enter that writes into `group` at the row the row-number box shows.
// With group 1 filled in `group1` rows and group 2 in `group2` rows of a list
// of `rows`, the row is either an existing row (overwrite) or the next one
// (append); after each Enter the list is put back, untimed, so that every
// iteration meets the same list. Without the journal, the window records
// nothing: the difference is what the journal adds to an Enter.
void EnterBench(benchmark::State& state, int rows, int group1, int group2, int group,
                bool journal = true) {
  Window window;
  if (!journal) window.form.findChild<RecoveryRecorder*>()->Stop();
  window.form.ListModel()->Assign(MakeRows(rows, group1, group2));
  window.Choose(group);
  window.size = window.form.findChild<QLineEdit*>(group == 1 ? QStringLiteral("Text3(4)")
                                                             : QStringLiteral("Text3(5)"));
  const int target = window.form.List().FirstEmptyRow(group);
  const bool appends = target > rows;
  const QModelIndex shown = window.form.ListModel()->index(std::min(target, rows) - 1, group);
  long paints = 0;
  for (auto _ : state) {
    window.input->setText(QString::fromLatin1(kTyped));
    // The user watches the rows being entered.
    window.view->scrollTo(shown);
    Settle();
    const long before = window.counter.paints;
    const auto start = std::chrono::steady_clock::now();
    QTest::keyClick(window.input, Qt::Key_Return);
    Settle();
    state.SetIterationTime(Seconds(start));
    paints += window.counter.paints - before;

    // The Enter reached the list, and the panel's cascade the size box.
    if (window.form.List().Cell(target, group) != std::string_view(kTyped) ||
        window.size->text() != QString::number(target)) {
      state.SkipWithError("the Enter did not reach the list and the panel");
      break;
    }
    if (appends) {
      window.form.ListModel()->RemoveRow(target);
    } else {
      window.form.ListModel()->SetCell(target, group, "");
    }
    window.rowNumber->setText(QString::number(target));
    Settle();
  }
  state.counters["view_paints"] =
      benchmark::Counter(static_cast<double>(paints), benchmark::Counter::kAvgIterations);
}

// One keystroke in cell a of the fourfold table with n = 32,767: the totals,
// chi-square, P and the verdict, and the table's highlight, painting included.
void CellKeystrokeBench(benchmark::State& state) {
  Window window;
  window.form.ChooseMethod(3);
  const char* cells[4] = {"800", "8383", "8192", "8192"};
  for (int i = 0; i < 4; ++i) {
    window.form.findChild<QLineEdit*>(QStringLiteral("Text11(%1)").arg(i))->setText(cells[i]);
  }
  auto* a = window.form.findChild<QLineEdit*>(QStringLiteral("Text11(0)"));
  auto* p = window.form.findChild<QLabel*>(QStringLiteral("P(3)"));
  a->setFocus();
  Settle();
  for (auto _ : state) {
    a->setText(QStringLiteral("800"));
    a->end(false);
    Settle();
    const auto start = std::chrono::steady_clock::now();
    QTest::keyClick(a, Qt::Key_0);
    Settle();
    state.SetIterationTime(Seconds(start));
    if (a->text() != QStringLiteral("8000") || p->text().isEmpty()) {
      state.SkipWithError("the keystroke did not reach the panel's answer");
      break;
    }
  }
}

// One change of a panel box, the panel's cascade, painting included, with the
// report window open (the report rewritten too) or not: the difference is what
// the report adds to a keystroke.
void ReportKeystrokeBench(benchmark::State& state, bool reportOpen) {
  Window window;
  const QStringList inputs{"5.2", "4.1", "1.1", "1.3", "10", "12"};
  for (int i = 0; i < 6; ++i) {
    window.form.findChild<QLineEdit*>(QStringLiteral("Text3(%1)").arg(i))->setText(inputs[i]);
  }
  if (reportOpen) window.form.findChild<QAction*>(QStringLiteral("计算过程"))->trigger();
  auto* mean = window.form.findChild<QLineEdit*>(QStringLiteral("Text3(0)"));
  Settle();
  bool odd = false;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    mean->setText((odd = !odd) ? QStringLiteral("5.3") : QStringLiteral("5.2"));
    Settle();
    state.SetIterationTime(Seconds(start));
  }
}

// One Enter that overwrites a value of group 2 in the middle of a full list,
// with the two-sample, paired or correlation panel on show and the report open: the
// panel's figures, its checks of normality and rank test, its effects and the
// report's rewrite. The pictures wait for typing to pause, outside the frame.
void EnterWithReportBench(benchmark::State& state, int method) {
  Window window;
  window.form.ChooseMethod(method);
  window.form.ListModel()->Assign(MakeRows(kFullRows, kFullRows, kFullRows));
  window.form.findChild<QAction*>(QStringLiteral("计算过程"))->trigger();
  window.Choose(2);
  auto* report = window.form.findChild<QTextBrowser*>(QStringLiteral("ReportText"));
  const int target = kFullRows / 2;
  const std::string old(*window.form.List().Cell(target, 2));
  for (auto _ : state) {
    window.rowNumber->setText(QString::number(target));
    window.input->setText(QString::fromLatin1(kTyped));
    Settle();
    const auto start = std::chrono::steady_clock::now();
    QTest::keyClick(window.input, Qt::Key_Return);
    Settle();
    state.SetIterationTime(Seconds(start));
    if (window.form.List().Cell(target, 2) != std::string_view(kTyped) ||
        !report->toPlainText().contains(QStringLiteral("前提条件"))) {
      state.SkipWithError("the Enter did not reach the list and the report");
      break;
    }
    window.form.ListModel()->SetCell(target, 2, old);
    Settle();
  }
}

// Calculate over a full list with the report window open, for each analysis
// that reads the list.
void ReportCalculateBench(benchmark::State& state, int method) {
  Window window;
  window.form.ChooseMethod(method);
  window.form.ListModel()->Assign(MakeRows(kFullRows, kFullRows, kFullRows));
  window.form.findChild<QAction*>(QStringLiteral("计算过程"))->trigger();
  Settle();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    window.form.Calculate();
    Settle();
    state.SetIterationTime(Seconds(start));
  }
}

// The list's commands at its full size through the window, painting included:
// a spreadsheet's two full columns pasted into the empty list, the undo of a
// clearing of the full list, a copy of it, an import of it as a table file;
// and one column pasted with and without the journal, whose difference is
// what the journal adds to a paste.
void ListCommandBench(benchmark::State& state, const char* command) {
  Window window;
  std::string what = command;
  if (what == "paste_column_no_journal") {
    window.form.findChild<RecoveryRecorder*>()->Stop();
    what = "paste_column";
  }
  std::string text;
  if (what == "paste") {
    for (int row = 1; row <= kFullRows; ++row) {
      text += CellText(row, 1) + "\t" + CellText(row, 2) + "\n";
    }
    QApplication::clipboard()->setText(QString::fromStdString(text));
  }
  if (what == "paste_column") {
    for (int row = 1; row <= kFullRows; ++row) text += CellText(row, 1) + "\n";
    QApplication::clipboard()->setText(QString::fromStdString(text));
    what = "paste";
  }
  const std::string csv = ScratchPath("window-full.csv");
  if (what == "import_csv") {
    if (!SaveCsvFile(MakeList(kFullRows, kFullRows, kFullRows), csv)) {
      state.SkipWithError("cannot write the table file");
      return;
    }
    window.form.SetDialogs(std::make_unique<FixedFileDialogs>(QString::fromStdString(csv)));
  }
  for (auto _ : state) {
    // Untimed: the list each command meets.
    if (what == "paste" || what == "import_csv") window.form.ClearList();
    if (what == "undo_clear" || what == "copy") {
      window.form.ListModel()->Assign(MakeRows(kFullRows, kFullRows, kFullRows));
    }
    if (what == "undo_clear") window.form.ClearList();
    Settle();
    const auto start = std::chrono::steady_clock::now();
    if (what == "paste") window.form.findChild<QAction*>(QStringLiteral("粘贴"))->trigger();
    if (what == "undo_clear") window.form.findChild<QAction*>(QStringLiteral("撤销"))->trigger();
    if (what == "copy") window.form.findChild<QAction*>(QStringLiteral("复制"))->trigger();
    if (what == "import_csv") window.form.ImportSampleList();
    Settle();
    state.SetIterationTime(Seconds(start));
    const bool copied = what != "copy" || QApplication::clipboard()->text().size() > kFullRows;
    if (window.form.List().Count() != kFullRows || !copied) {
      state.SkipWithError("the command did not reach the whole list");
      break;
    }
  }
  std::remove(csv.c_str());
}

// Both pictures of each analysis's report drawn and encoded, the list full
// (the table's counts summing to 32,767 for the chi-square analyses).
void PicturesBench(benchmark::State& state, int method) {
  Window window;
  window.form.ChooseMethod(method);
  if (method < 3) {
    window.form.ListModel()->Assign(MakeRows(kFullRows, kFullRows, kFullRows));
    window.form.Calculate();
  } else {
    const char* cells[4] = {"8000", "8383", "8192", "8192"};
    for (int i = 0; i < 4; ++i)
      window.form.findChild<QLineEdit*>(QStringLiteral("Text11(%1)").arg(i))->setText(cells[i]);
  }
  Settle();
  auto* panel = window.form.findChild<AnalysisPanel*>(QStringLiteral("Frame4(%1)").arg(method));
  ReportPictureSet pictures([panel]() -> const AnalysisPanel& { return *panel; },
                            [&]() -> const SampleList& { return window.form.List(); });
  for (auto _ : state) pictures.Redraw();
  if (pictures.ReportHtml().find("data:image/png") == std::string::npos)
    state.SkipWithError("no picture was drawn");
}

// A keystroke in the open sample-size window, until it has handled
// everything it posted, the page laid out and painted included; the curve
// waits for the pause and is measured on its own below.
void SampleSizeKeystrokeBench(benchmark::State& state) {
  Window window;
  window.form.findChild<QAction*>(QStringLiteral("样本含量估计"))->trigger();
  auto* sigma = window.form.findChild<QLineEdit*>(QStringLiteral("ssSigma"));
  window.form.findChild<QLineEdit*>(QStringLiteral("ssDelta"))->setText(QStringLiteral("1"));
  window.form.findChild<QLineEdit*>(QStringLiteral("ssN"))->setText(QStringLiteral("60"));
  sigma->setText(QStringLiteral("2"));
  Settle();
  bool odd = false;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    sigma->setText((odd = !odd) ? QStringLiteral("2.1") : QStringLiteral("2"));
    Settle();
    state.SetIterationTime(Seconds(start));
  }
}

// The sample-size window's curve after a keystroke: the plan, the curve's 101
// points (each a noncentral-t power for two means) and the picture drawn.
void PowerCurveBench(benchmark::State& state) {
  for (auto _ : state) {
    const SampleSizeAnswer answer =
        AnswerSampleSize(StudyDesign::kTwoMeans, TestSides::kTwoSided,
                         {"0.05", "0.9", "1", "2", "", "", "", "1", "60"});
    const std::optional<PowerCurve> curve = PowerCurveOf(*answer.plan);
    if (!curve || curve->exact.size() != curve->n.size()) state.SkipWithError("no exact curve");
    DrawnPicture drawn = Draw(PowerCurvePicture(*curve, QStringLiteral("n")));
    if (drawn.image.isNull()) state.SkipWithError("no curve drawn");
    benchmark::DoNotOptimize(drawn);
  }
}

// The fixed cost of one chart: a line of two points rendered and encoded.
void BareChartBench(benchmark::State& state) {
  for (auto _ : state) {
    Picture picture = ChartPicture(std::make_unique<QChart>());
    auto* line = new QLineSeries;
    line->append(0, 0);
    line->append(1, 1);
    picture.chart->addSeries(line);
    picture.chart->createDefaultAxes();
    benchmark::DoNotOptimize(PictureHtml(picture));
  }
}

// From a keystroke in a panel box to the report showing the pictures redrawn
// for it: the text is rewritten at once, the pictures after the pause.
void PicturesAfterKeystrokeBench(benchmark::State& state) {
  Window window;
  const QStringList inputs{"5.2", "4.1", "1.1", "1.3", "10", "12"};
  for (int i = 0; i < 6; ++i) {
    window.form.findChild<QLineEdit*>(QStringLiteral("Text3(%1)").arg(i))->setText(inputs[i]);
  }
  window.form.findChild<QAction*>(QStringLiteral("计算过程"))->trigger();
  auto* text = window.form.findChild<QTextBrowser*>(QStringLiteral("ReportText"));
  long rewrites = 0;
  QObject::connect(text, &QTextBrowser::textChanged, [&] { ++rewrites; });
  auto* mean = window.form.findChild<QLineEdit*>(QStringLiteral("Text3(0)"));
  QTest::qWait(200);
  bool odd = false;
  for (auto _ : state) {
    const long before = rewrites;
    const auto start = std::chrono::steady_clock::now();
    mean->setText((odd = !odd) ? QStringLiteral("5.3") : QStringLiteral("5.2"));
    while (rewrites < before + 2 && Seconds(start) < 1.0) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
    }
    state.SetIterationTime(Seconds(start));
    if (rewrites < before + 2) {
      state.SkipWithError("the pictures did not follow the keystroke");
      break;
    }
  }
}

// The engine's calculation on the list of the full-size Enter, in this
// process so that it meets the same load as the Enter.
void EngineCalculateBench(benchmark::State& state) {
  const SampleList list = MakeList(kFullRows, kFullRows, kFullRows / 2);
  for (auto _ : state) benchmark::DoNotOptimize(CalculateTwoSample(list));
}

void ImportBench(benchmark::State& state) {
  Window window;
  long paints = 0;
  for (auto _ : state) {
    window.form.ClearList();
    Settle();
    const long before = window.counter.paints;
    const auto start = std::chrono::steady_clock::now();
    window.form.ImportSampleList();
    Settle();
    state.SetIterationTime(Seconds(start));
    paints += window.counter.paints - before;
    if (window.form.List().Count() != kFullRows) {
      state.SkipWithError("the import did not fill the list");
      break;
    }
  }
  state.counters["view_paints"] =
      benchmark::Counter(static_cast<double>(paints), benchmark::Counter::kAvgIterations);
}

// What start-up does for the journal when none was left: the recorder made
// beside the window's list and table, and the look for a journal to offer.
void JournalStartUpBench(benchmark::State& state) {
  SampleListModel model;
  QWidget client;
  FourfoldTable table(&client);
  for (auto _ : state) {
    RecoveryRecorder recorder(nullptr, &model, &table);
    if (OrphanJournal::Take(RecoveryFolder())) {
      state.SkipWithError("a journal was left in the data folder");
      break;
    }
  }
}

template <typename Fn>
void Register(const char* name, Fn fn, bool manual) {
  auto* b = benchmark::RegisterBenchmark(name, fn)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(kRepetitions)
                ->DisplayAggregatesOnly(true)
                ->MinTime(0.2);
  if (manual) b->UseManualTime();
}

void Checks(const Medians& m) {
  const double engine = MedianOf(m, "engine/calculate_two_sample");
  for (const char* kind : {"overwrite", "append"}) {
    const std::string big = std::string("enter/") + kind + "_32767";
    const std::string small = std::string("enter/") + kind + "_10";
    const double figure = MedianOf(m, big);
    const double tenRows = MedianOf(m, small);
    PrintBoundMark(std::string("Enter (") + kind + "), 32767 rows", figure, 16.0);
    PrintRatioMark(std::string("Enter (") + kind + "), 32767 rows", figure,
                   "Enter at 10 rows + engine", tenRows + engine, 2.0);
  }
  PrintBoundMark("import through the window, 32767 rows", MedianOf(m, "window/import_32767"),
                 100.0);
  PrintBoundMark("keystroke in a cell, n 32767, P included", MedianOf(m, "window/cell_keystroke"),
                 16.0);
  const double withReport = MedianOf(m, "report/keystroke_open");
  const double without = MedianOf(m, "report/keystroke_closed");
  std::printf("keystroke with the report open %.3f ms, without %.3f ms\n", withReport, without);
  PrintBoundMark("report rewrite added to a keystroke", withReport - without, 5.0);
  PrintBoundMark("paste of 2 x 32767 values", MedianOf(m, "list/paste"), 100.0);
  PrintBoundMark("undo of clearing 32767 rows", MedianOf(m, "list/undo_clear"), 16.0);
  PrintBoundMark("copy of 32767 rows", MedianOf(m, "list/copy"), 50.0);
  PrintBoundMark("table-file import of 32767 rows", MedianOf(m, "list/import_csv"), 100.0);
  for (const char* kind : {"overwrite", "append"}) {
    const std::string name = std::string("enter/") + kind + "_32767";
    PrintAddedMark(std::string("journal's share of an Enter (") + kind + ")", MedianOf(m, name),
                   "no journal", MedianOf(m, name + "_no_journal"), 1.0);
  }
  PrintAddedMark("journal's share of a paste of 32767 values", MedianOf(m, "list/paste_column"),
                 "no journal", MedianOf(m, "list/paste_column_no_journal"), 20.0);
  PrintBoundMark("journal's start-up steps, no journal left", MedianOf(m, "journal/start_up"), 1.0);
  for (int method = 0; method < 3; ++method) {
    PrintBoundMark("Calculate with the report, 32767 rows, method " + std::to_string(method),
                   MedianOf(m, "report/calculate_32767_" + std::to_string(method)), 16.0);
  }
  for (const char* name : {"two_sample", "paired", "correlation"}) {
    PrintBoundMark(std::string("Enter with the report, 32767 rows, ") + name,
                   MedianOf(m, std::string("report/enter_32767_") + name), 16.0);
  }
  const double bare = MedianOf(m, "pictures/bare_chart");
  for (int method = 0; method < 5; ++method) {
    const double figure = MedianOf(m, "pictures/draw_32767_" + std::to_string(method));
    PrintBoundMark("both pictures, 32767 rows, method " + std::to_string(method), figure, 30.0);
    std::printf("  = %.1f bare charts (%.3f ms each)\n", bare > 0 ? figure / bare : 0.0, bare);
  }
  const double curve = MedianOf(m, "pictures/power_curve");
  PrintBoundMark("sample-size power curve, computed and drawn", curve, 30.0);
  std::printf("  = %.1f bare charts (%.3f ms each)\n", bare > 0 ? curve / bare : 0.0, bare);
  PrintRatioMark("sample-size window keystroke, page shown",
                 MedianOf(m, "sample_size/window_keystroke"), "report window keystroke",
                 MedianOf(m, "report/keystroke_open"), 1.5);
  PrintBoundMark("pictures shown after the last keystroke", MedianOf(m, "pictures/after_keystroke"),
                 100.0);
}

}  // namespace
}  // namespace sumvane::bench

int main(int argc, char** argv) {
  using namespace sumvane::bench;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int half = kFullRows / 2;
  Register(
      "enter/overwrite_32767",
      [=](benchmark::State& s) { EnterBench(s, kFullRows, kFullRows, half, 2); }, true);
  Register(
      "enter/overwrite_10", [](benchmark::State& s) { EnterBench(s, 10, 10, 5, 2); }, true);
  Register(
      "enter/append_32767",
      [=](benchmark::State& s) { EnterBench(s, kFullRows - 1, kFullRows - 1, half, 1); }, true);
  Register(
      "enter/append_10", [](benchmark::State& s) { EnterBench(s, 9, 9, 5, 1); }, true);
  Register(
      "enter/overwrite_32767_no_journal",
      [=](benchmark::State& s) { EnterBench(s, kFullRows, kFullRows, half, 2, false); }, true);
  Register(
      "enter/append_32767_no_journal",
      [=](benchmark::State& s) { EnterBench(s, kFullRows - 1, kFullRows - 1, half, 1, false); },
      true);
  Register("journal/start_up", JournalStartUpBench, false);
  Register("engine/calculate_two_sample", EngineCalculateBench, false);
  Register("window/import_32767", ImportBench, true);
  Register("window/cell_keystroke", CellKeystrokeBench, true);
  for (const char* command :
       {"paste", "undo_clear", "copy", "import_csv", "paste_column", "paste_column_no_journal"}) {
    Register((std::string("list/") + command).c_str(),
             [=](benchmark::State& s) { ListCommandBench(s, command); }, true);
  }
  Register(
      "report/keystroke_open", [](benchmark::State& s) { ReportKeystrokeBench(s, true); }, true);
  Register(
      "report/keystroke_closed", [](benchmark::State& s) { ReportKeystrokeBench(s, false); }, true);
  for (int method = 0; method < 3; ++method) {
    Register(("report/calculate_32767_" + std::to_string(method)).c_str(),
             [=](benchmark::State& s) { ReportCalculateBench(s, method); }, true);
  }
  Register(
      "report/enter_32767_two_sample", [](benchmark::State& s) { EnterWithReportBench(s, 0); },
      true);
  Register(
      "report/enter_32767_paired", [](benchmark::State& s) { EnterWithReportBench(s, 1); }, true);
  Register(
      "report/enter_32767_correlation", [](benchmark::State& s) { EnterWithReportBench(s, 2); },
      true);
  for (int method = 0; method < 5; ++method) {
    Register(("pictures/draw_32767_" + std::to_string(method)).c_str(),
             [=](benchmark::State& s) { PicturesBench(s, method); }, false);
  }
  Register("pictures/bare_chart", BareChartBench, false);
  Register("pictures/power_curve", PowerCurveBench, false);
  Register("sample_size/window_keystroke", SampleSizeKeystrokeBench, true);
  Register("pictures/after_keystroke", PicturesAfterKeystrokeBench, true);
  const int result = RunBenchmarks(argc, argv, Checks);
  std::remove(FullFilePath().c_str());
  return result;
}
