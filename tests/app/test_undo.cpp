// Undo and redo of every change of the list and of the fourfold cells, and
// the question before list changes never exported are discarded.
#include <QAction>
#include <QTemporaryDir>

#include "window_test_support.h"

using sumvane::Dialogs;
using sumvane::testing::Window;

class UndoTest : public QObject {
  Q_OBJECT

 private slots:
  void everyChangeOfTheListUndoesAndRedoes() {
    QTemporaryDir dir;
    const QString file = dir.filePath("data.txt");
    Window w({file, file});
    for (const char* v : {"5", "6", "7"}) w.Enter(v);
    w.Find<QLineEdit>("Text2")->setText("2");
    w.Enter("9");  // overwrites row 2
    w.form.ExportSampleList();
    w.ClickRow(1);
    w.form.DeleteSelectedRow();
    w.form.ClearList();
    w.form.ImportSampleList();
    // Undone: the import, the clearing, the deletion, the overwrite.
    const QStringList steps[] = {{}, {"2", "3"}, {"1", "2", "3"}, {"1", "2", "3"}};
    QAction* undo = w.Find<QAction>("撤销");
    for (const QStringList& labels : steps) {
      undo->trigger();
      QCOMPARE(w.Labels(), labels);
    }
    QCOMPARE(w.Cell(2, 1), QStringLiteral("6"));        // the overwrite undone
    QCOMPARE(w.Text("Text3(0)"), QStringLiteral("6"));  // the panel follows
    for (int i = 0; i < 3; ++i) undo->trigger();
    QVERIFY(w.form.List().Rows().empty());
    QVERIFY(!undo->isEnabled());
    for (int i = 0; i < 7; ++i) w.Find<QAction>("重做")->trigger();
    QCOMPARE(w.Labels(), (QStringList{"1", "2", "3"}));
    QCOMPARE(w.Cell(2, 1), QStringLiteral("9"));
  }

  void undoingAChoiceOfAnalysisKeepsTheRowsForTheNewOne() {
    Window w;
    for (const char* v : {"1", "2", "3"}) w.Enter(v);
    w.Click("Option2");
    for (const char* v : {"2", "4", "7"}) w.Enter(v);
    w.Click("Command1(2)");
    QVERIFY(w.form.List().Rows().empty());
    w.Find<QAction>("撤销")->trigger();
    QCOMPARE(w.form.CurrentMethod(), 2);
    QCOMPARE(w.Labels(), (QStringList{"1", "2", "3"}));
    QCOMPARE(w.Text("Text9"), QStringLiteral("3"));
    QCOMPARE(w.Text("Text10"), QStringLiteral("Y=-0.66666 + 2.5X"));
  }

  // With no data a panel shows no figure and no verdict, not n = 0.
  void undoneToAnEmptyListThePanelShowsNothing_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("two-sample") << 0 << QStringList{"Text3(0)", "Text3(4)", "Text3(5)", "Text3(6)"};
    QTest::newRow("paired") << 1 << QStringList{"Text5(0)", "Text5(1)", "Text6"};
    QTest::newRow("correlation") << 2 << QStringList{"Text9", "Text8", "Text7", "Text10"};
  }
  void undoneToAnEmptyListThePanelShowsNothing() {
    QFETCH(int, method);
    QFETCH(QStringList, boxes);
    Window w;
    w.Click(QStringLiteral("Command1(%1)").arg(method));
    w.Enter("1");
    w.Click("Option2");
    w.Enter("2");
    for (int i = 0; i < 2; ++i) w.Find<QAction>("撤销")->trigger();
    QVERIFY(w.form.List().Rows().empty());
    for (const QString& box : boxes) QCOMPARE(w.Text(box), QString());
    QCOMPARE(w.Text(QStringLiteral("P(%1)").arg(method)), QString());
    QCOMPARE(w.Text(QStringLiteral("Verdict(%1)").arg(method)), QString());
  }

  void cellsUndoPerCellAndTheirEmptying() {
    Window w;
    w.Click("Command1(3)");
    w.Type("Text11(0)", "12");
    w.Type("Text11(1)", "5");
    w.Find<QAction>("清空")->trigger();
    QAction* undo = w.Find<QAction>("撤销");
    undo->trigger();
    QCOMPARE(w.Text("Text11(1)"), QStringLiteral("5"));
    QCOMPARE(w.Text("Label18(2)"), QStringLiteral("17"));
    undo->trigger();  // the typing of 5, in one step
    QCOMPARE(w.Text("Text11(1)"), QString());
    QCOMPARE(w.Text("Text11(0)"), QStringLiteral("12"));
    undo->trigger();
    QCOMPARE(w.Text("Text11(0)"), QString());
  }

  void exitAsksBeforeDiscardingWhatWasNeverExported_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("cancel") << int(Dialogs::UnsavedList::kCancel) << false;
    QTest::newRow("discard") << int(Dialogs::UnsavedList::kDiscard) << true;
    QTest::newRow("export") << int(Dialogs::UnsavedList::kExport) << true;
    QTest::newRow("export cancelled") << int(Dialogs::UnsavedList::kExport) << false;
  }
  void exitAsksBeforeDiscardingWhatWasNeverExported() {
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QTemporaryDir dir;
    const bool cancelled = QString(QTest::currentDataTag()).contains("cancelled");
    Window w({cancelled ? QString() : dir.filePath("kept.txt")});
    w.log->unsavedAnswer = Dialogs::UnsavedList(answer);
    w.Enter("5");
    QCOMPARE(w.form.close(), closes);
    QCOMPARE(w.log->unsavedAsked, 1);
    QCOMPARE(QFile::exists(dir.filePath("kept.txt")),
             closes && !cancelled && answer == int(Dialogs::UnsavedList::kExport));
  }

  void nothingToAskOnceExported() {
    QTemporaryDir dir;
    Window w({dir.filePath("kept.txt")});
    w.Enter("5");
    w.form.ExportSampleList();
    QVERIFY(w.form.close());
    QCOMPARE(w.log->unsavedAsked, 0);
  }
};

SUMVANE_WINDOW_TEST_MAIN(UndoTest)
#include "test_undo.moc"
