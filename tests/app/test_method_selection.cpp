// The five analysis buttons: the arrangement, the panel, the reference table,
// the captions of the fourfold table and the fresh start of the list.
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/analyses.h"
#include "window_test_support.h"

using sumvane::testing::Window;

class MethodSelectionTest : public QObject {
  Q_OBJECT

 private slots:
  void arrangesTheWindowPerMethod_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("tableMode");
    QTest::newRow("two-sample") << 0 << "Text14" << false;
    QTest::newRow("paired t") << 1 << "Text14" << false;
    QTest::newRow("regression") << 2 << "Text17" << false;
    QTest::newRow("fourfold") << 3 << "Text16" << true;
    QTest::newRow("paired chi-square") << 4 << "Text16" << true;
  }
  void arrangesTheWindowPerMethod() {
    QFETCH(int, method);
    QFETCH(QString, table);
    QFETCH(bool, tableMode);
    // Start from the regression arrangement, so that every table has to move.
    for (int previous : {2, 3}) {
      Window w;
      w.Click(QStringLiteral("Command1(%1)").arg(previous));
      w.Fill({{"1", "2"}, {"3", "4"}});
      w.Type("Text2", "2");
      w.Click(QStringLiteral("Command1(%1)").arg(method));

      QCOMPARE(w.form.CurrentMethod(), method);
      QCOMPARE(w.form.List().Count(), 0);
      QCOMPARE(w.Text("Text2"), QStringLiteral("1"));
      QCOMPARE(w.Text("Label12"),
               w.Find<QPushButton>(QStringLiteral("Command1(%1)").arg(method))->text());
      for (int i = 0; i < 5; ++i) {
        QCOMPARE(w.Find(QStringLiteral("Frame4(%1)").arg(i))->isVisible(), i == method);
      }
      for (const char* t : {"Text14", "Text16", "Text17"}) {
        QCOMPARE(w.Find(t)->isVisible(), table == t);
      }
      QCOMPARE(w.Find("L1")->isVisible(), !tableMode);
      QCOMPARE(w.Find("Picture3")->isVisible(), tableMode);
      for (const char* entry : {"Option1", "Option2", "Text1", "Text2"}) {
        QCOMPARE(w.Find(entry)->isEnabled(), !tableMode);
      }
      QVERIFY(w.Find("Command2")->isEnabled());
      if (tableMode) QCOMPARE(QApplication::focusWidget(), w.Find("Text11(0)"));
    }
  }

  // Each description's caption is on its button, over the chosen analysis and
  // atop the results copied; its table, mode and host decide the arrangement.
  void theDescriptionsDriveTheButtonsAndTables() {
    const QHash<sumvane::CriticalTable, QString> tables{
        {sumvane::CriticalTable::kT, "Text14"},
        {sumvane::CriticalTable::kChiSquare, "Text16"},
        {sumvane::CriticalTable::kR, "Text17"}};
    Window w;
    for (const sumvane::AnalysisDescription& d : sumvane::Analyses()) {
      const int m = sumvane::Number(d.analysis);
      const QString button = QStringLiteral("Command1(%1)").arg(m);
      QCOMPARE(w.Find<QPushButton>(button)->text(), d.caption);
      w.Click(button);
      QCOMPARE(w.Text("Label12"), d.caption);
      for (const QString& table : tables)
        QCOMPARE(w.Find(table)->isVisible(), table == tables[d.table]);
      QCOMPARE(w.Find("L1")->isVisible(), d.mode == sumvane::InputMode::kList);
      const QWidget* panel = w.Find(QStringLiteral("Frame4(%1)").arg(m));
      QVERIFY(panel->isVisible());
      QCOMPARE(panel->parentWidget()->objectName() == "Picture2",
               d.host == sumvane::PanelHost::kPictureBox);
      w.form.CopyResults();
      QCOMPARE(QApplication::clipboard()->text().section('\n', 0, 0), d.caption);
    }
  }

  void captionsTheFourfoldTablePerMethod() {
    Window w;
    const QStringList names{"Label17(0)", "Label17(1)", "Label17(3)", "Label17(4)", "Label16"};
    const QStringList fourfold{"组  别", "结     果", "试验组", "对照组", "计数资料卡方检验"};
    const QStringList paired{"治疗后", "  治疗前  ", "（+）", "（-）", "配对资料卡方检验"};
    for (int method : {3, 4, 3}) {
      w.Click(QStringLiteral("Command1(%1)").arg(method));
      const QStringList& expected = method == 3 ? fourfold : paired;
      for (int i = 0; i < names.size(); ++i) QCOMPARE(w.Text(names[i]), expected[i]);
      QCOMPARE(w.Text("Label17(2)"), QStringLiteral("（+）           （-）"));
      QCOMPARE(w.Text("Label17(5)"), QStringLiteral("合  计"));
      QCOMPARE(w.Text("Label17(6)"), QStringLiteral("合计"));
    }
  }

  // Each emptied cell recalculates the totals before its own total is emptied.
  void emptyingTheCellsLeavesTheTotalsTheRecalculationWrote_data() {
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QStringList>("totals");
    QTest::newRow("all four held text")
        << QStringList{"1", "2", "3", "4"} << QStringList{"0", "0", "0", "", ""};
    QTest::newRow("only cell a held text")
        << QStringList{"5", "", "", ""} << QStringList{"", "", "", "", ""};
    QTest::newRow("highest held text in c")
        << QStringList{"5", "", "7", ""} << QStringList{"0", "0", "", "", ""};
  }
  void emptyingTheCellsLeavesTheTotalsTheRecalculationWrote() {
    QFETCH(QStringList, cells);
    QFETCH(QStringList, totals);
    for (int method : {3, 4}) {
      Window w;
      w.Click("Command1(3)");
      for (int i = 0; i < 4; ++i) {
        if (!cells[i].isEmpty()) w.Type(QStringLiteral("Text11(%1)").arg(i), cells[i]);
      }
      w.Click(QStringLiteral("Command1(%1)").arg(method));
      for (int i = 0; i < 4; ++i) QCOMPARE(w.Text(QStringLiteral("Text11(%1)").arg(i)), "");
      for (int i = 0; i < 5; ++i) {
        QCOMPARE(w.Text(QStringLiteral("Label18(%1)").arg(i)), totals[i]);
      }
    }
  }

  void listModeComesBackEmptyAndKeepsTheOtherState() {
    Window w;
    w.Click("Option2");
    w.Type("Text1", "7.5");
    w.Type("Text3(0)", "3");
    w.Click("Command1(3)");
    w.Type("Text11(0)", "9");
    w.Click("Command1(0)");
    QVERIFY(w.Find("L1")->isVisible());
    QCOMPARE(w.form.List().Count(), 0);
    QVERIFY(w.Find<QRadioButton>("Option2")->isChecked());
    QCOMPARE(w.Text("Text1"), QString());  // the next Enter starts the list
    QCOMPARE(w.Text("Text2"), QStringLiteral("1"));
    QCOMPARE(w.Text("Text3(0)"), QStringLiteral("3"));
    QCOMPARE(w.Text("Text11(0)"), QStringLiteral("9"));  // kept until table mode returns
    QCOMPARE(w.Text("Label18(4)"), QStringLiteral("9"));
  }

  // Captions the design places without a size are sized to their text when
  // their panel appears, wherever the panel was hidden until then.
  void captionsWithoutADesignedSizeFitTheirText_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QStringList>("sizedToText");
    QTest::newRow("two-sample") << 0 << QStringList{"Label3(0)", "Label5(1)", "Label6(0)"};
    QTest::newRow("paired t") << 1 << QStringList{"Label13(0)", "Label13(2)"};
    QTest::newRow("regression") << 2 << QStringList{"Label11", "Label8", "Label9", "Label15"};
    QTest::newRow("fourfold") << 3 << QStringList{"Label19(0)", "Label19(4)", "Label23"};
    QTest::newRow("paired chi-square") << 4 << QStringList{"Label26", "Label27", "Label28"};
  }
  void captionsWithoutADesignedSizeFitTheirText() {
    QFETCH(int, method);
    QFETCH(QStringList, sizedToText);
    Window w;
    w.Click(QStringLiteral("Command1(%1)").arg(method));
    for (const QString& name : sizedToText) {
      auto* label = w.Find<QLabel>(name);
      QVERIFY2(label->isVisible(), qPrintable(name));
      QCOMPARE(label->size(), label->sizeHint());
    }
  }

  // Each table holds its text whenever it is shown, however it came to be shown.
  void tablesShowTheirTexts() {
    Window w;
    const QString t = w.Find<QPlainTextEdit>("Text14")->toPlainText();
    QVERIFY(t.startsWith(QStringLiteral("      t界值表\n")));
    QVERIFY(t.contains(
        QStringLiteral("\n10\t0.700\t1.372\t1.812\t2.228\t2.764\t3.169\t3.581\t4.144\t4.587\n")));
    w.Click("Command1(2)");
    const QString r = w.Find<QPlainTextEdit>("Text17")->toPlainText();
    QVERIFY(r.contains(
        QStringLiteral("\n1\t0.707\t0.951\t0.988\t0.997\t1.000\t1.000\t1.000\t1.000\t1.000\n")));
    w.Click("Command1(4)");
    const QString chi = w.Find<QPlainTextEdit>("Text16")->toPlainText();
    QVERIFY(chi.contains(
        QStringLiteral("\n1\t…\t…\t…\t…\t0.02\t0.10\t0.45\t1.32\t2.71\t3.84\t5.02\t6.63\t7.88\n")));
    // Back and forth: a table shown again keeps its text, once.
    w.Click("Command1(1)");
    w.Click("Command1(3)");
    QCOMPARE(w.Find<QPlainTextEdit>("Text14")->toPlainText(), t);
    QCOMPARE(w.Find<QPlainTextEdit>("Text16")->toPlainText(), chi);
    for (const char* name : {"Text14", "Text16", "Text17"}) {
      auto* table = w.Find<QPlainTextEdit>(name);
      QVERIFY(table->isReadOnly());
      QCOMPARE(table->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
      QCOMPARE(table->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
  }
};

SUMVANE_WINDOW_TEST_MAIN(MethodSelectionTest)
#include "test_method_selection.moc"
