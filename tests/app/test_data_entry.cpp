// Typing observations into the list from the keyboard, correcting them, and
// the panels that follow every entry.
#include <QRadioButton>
#include <QStatusBar>
#include <QTreeView>

#include "entry/sample_list.h"
#include "window_test_support.h"

using sumvane::SampleList;
using sumvane::SampleRow;
using sumvane::testing::Window;

namespace {

QString Label(Window& w, int position) {
  const auto label = w.form.List().RowLabel(position);
  return label ? QString::fromStdString(std::string(*label)) : QStringLiteral("<none>");
}

}  // namespace

class DataEntryTest : public QObject {
  Q_OBJECT

 private slots:
  void firstEntryFillsRowOneAndTheGroupFigures() {
    Window w;
    w.Enter("5");
    QCOMPARE(w.form.List().Count(), 1);
    QCOMPARE(Label(w, 1), QStringLiteral("1"));
    QCOMPARE(w.Cell(1, 1), QStringLiteral("5"));
    QCOMPARE(w.Cell(1, 2), QString());
    QCOMPARE(w.Text("Text2"), QStringLiteral("2"));
    QCOMPARE(w.Text("Text1"), QString());
    QCOMPARE(w.Text("Text3(0)"), QStringLiteral("5"));
    QCOMPARE(w.Text("Text3(2)"), QString());
    QCOMPARE(w.Text("Text3(4)"), QStringLiteral("1"));
    QCOMPARE(w.Text("Text3(6)"), QString());  // group 2 is still empty
    QCOMPARE(QApplication::focusWidget(), w.Find("Text1"));
  }

  void typicalUseFromTheKeyboard() {
    Window w;
    for (const char* v : {"5", "6", "7"}) w.Enter(v);
    QCOMPARE(w.Text("Text3(0)"), QStringLiteral("6"));
    QCOMPARE(w.Text("Text3(2)"), QStringLiteral("1"));
    QCOMPARE(w.Text("Text3(4)"), QStringLiteral("3"));
    QCOMPARE(w.Text("Text2"), QStringLiteral("4"));

    w.Click("Option2");
    QCOMPARE(w.Text("Text2"), QStringLiteral("1"));
    QCOMPARE(QApplication::focusWidget(), w.Find("Text1"));
    for (const char* v : {"8", "9", "10"}) w.Enter(v);
    QCOMPARE(w.form.List().Count(), 3);
    QCOMPARE(w.Cell(3, 2), QStringLiteral("10"));
    w.Enter("11");
    QCOMPARE(w.form.List().Count(), 4);
    QCOMPARE(Label(w, 4), QStringLiteral("4"));
    QCOMPARE(w.Cell(4, 1), QString());
    QCOMPARE(w.Cell(4, 2), QStringLiteral("11"));
    // Group 2 is 8..11: mean 9.5, sd 1.29099...; group 1 stands as entered.
    QCOMPARE(w.Text("Text3(1)"), QStringLiteral("9.5"));
    QCOMPARE(w.Text("Text3(3)"), QStringLiteral("1.2909"));
    QCOMPARE(w.Text("Text3(5)"), QStringLiteral("4"));
    QCOMPARE(w.Text("Text3(6)"), QStringLiteral("5"));
    QCOMPARE(w.Text("Text3(0)"), QStringLiteral("6"));
    QVERIFY(!w.Text("Text3(9)").isEmpty());
    QCOMPARE(int(w.form.LastN1()), 3);
    QCOMPARE(int(w.form.LastN2()), 4);
  }

  void rowNumberIsCappedAtTheFirstEmptyRow() {
    Window w;
    for (const char* v : {"1", "2", "3"}) w.Enter(v);
    w.Type("Text2", "9");
    QCOMPARE(w.Text("Text2"), QStringLiteral("4"));
    QCOMPARE(w.Box("Text2")->cursorPosition(), 1);
    w.Type("Text2", "2");
    QCOMPARE(w.Text("Text2"), QStringLiteral("2"));
    w.Enter("20");
    QCOMPARE(w.Cell(2, 1), QStringLiteral("20"));
    QCOMPARE(w.form.List().Count(), 3);
    QCOMPARE(w.Text("Text2"), QStringLiteral("3"));
    // A click in the box brings it to the first empty row.
    QTest::mouseClick(w.Box("Text2"), Qt::LeftButton);
    QCOMPARE(w.Text("Text2"), QStringLiteral("4"));
  }

  void rowNumbersThatNameNoRow_data() {
    QTest::addColumn<QString>("rowNumber");
    QTest::addColumn<int>("position");  // 0: nothing stored
    QTest::addColumn<QString>("next");
    QTest::newRow("emptied") << "" << 0 << "1";
    QTest::newRow("zero") << "0" << 0 << "1";
    QTest::newRow("negative") << "-3" << 0 << "-2";
    QTest::newRow("letters") << "x" << 0 << "1";
    QTest::newRow("half rounds to even, up") << "1.5" << 2 << "2.5";
    QTest::newRow("half rounds to even, down") << "2.5" << 2 << "3.5";
    QTest::newRow("below a half") << "1.4" << 1 << "2.4";
  }
  void rowNumbersThatNameNoRow() {
    QFETCH(QString, rowNumber);
    QFETCH(int, position);
    QFETCH(QString, next);
    Window w;
    for (const char* v : {"1", "2", "3"}) w.Enter(v);
    w.Type("Text2", rowNumber);
    w.Enter("99");
    QCOMPARE(w.form.List().Count(), 3);
    for (int p = 1; p <= 3; ++p) {
      QCOMPARE(w.Cell(p, 1), p == position ? QStringLiteral("99") : QString::number(p));
    }
    QCOMPARE(w.Text("Text1"), QString());
    QCOMPARE(w.Text("Text2"), next);
  }

  void emptyEnterShowsTheMessageAndChangesNothing() {
    Window w;
    w.Enter("4");
    QTest::keyClick(w.Box("Text1"), Qt::Key_Return);
    QCOMPARE(w.log->messages, QStringList{QStringLiteral("输入数据不能为空！")});
    QCOMPARE(w.form.List().Count(), 1);
    QCOMPARE(w.Text("Text2"), QStringLiteral("2"));
    // A blank is no number: refused without a message box, the text kept
    // selected and the reason on the status line.
    w.Enter(" ");
    QCOMPARE(w.form.List().Count(), 1);
    QCOMPARE(w.log->messages.size(), 1);
  }

  void onlyANumberIsStored_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("stored");
    QTest::newRow("digits split by a blank") << "1 2" << false;
    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("decimal comma") << "1,5" << false;
    QTest::newRow("no leading zero") << "-.5" << true;
    QTest::newRow("exponent") << "1E3" << true;
    QTest::newRow("blanks around") << " 7 " << true;
  }
  void onlyANumberIsStored() {
    QFETCH(QString, typed);
    QFETCH(bool, stored);
    Window w;
    w.Enter(typed);
    QCOMPARE(w.form.List().Count(), stored ? 1 : 0);
    QCOMPARE(w.Text("Text1"), stored ? QString() : typed);
    QCOMPARE(w.Box("Text1")->selectedText(), stored ? QString() : typed);
    QCOMPARE(w.Find<QStatusBar>("StatusBar")->currentMessage().contains(typed), !stored);
    QVERIFY(w.log->messages.isEmpty());
  }

  void inputTakesTenCharacters() {
    Window w;
    QTest::keyClicks(w.Box("Text1"), "12345678901");
    QCOMPARE(w.Text("Text1"), QStringLiteral("1234567890"));
  }

  void choosingAGroupLoadsTheSelectedCell() {
    Window w;
    w.Fill({{"1", "10"}, {"2", "20"}, {"3", ""}});
    w.Type("Text1", "keep");
    w.Click("Option2");  // nothing selected: the input box keeps its text
    QCOMPARE(w.Text("Text1"), QStringLiteral("keep"));
    QCOMPARE(w.Text("Text2"), QStringLiteral("3"));
    w.ClickRow(2);
    QCOMPARE(w.Text("Text1"), QStringLiteral("20"));
    QCOMPARE(w.Text("Text2"), QStringLiteral("2"));
    QCOMPARE(QApplication::focusWidget(), w.Find("L1"));
    w.Click("Option1");
    QCOMPARE(w.Text("Text1"), QStringLiteral("2"));
    QCOMPARE(w.Text("Text2"), QStringLiteral("4"));
  }

  // After a deletion the labels keep their gap; the correction must still land
  // in the row that was clicked.
  void correctionAfterDeletionLandsInTheClickedRow() {
    Window w;
    for (const char* v : {"1", "2", "3", "4", "5"}) w.Enter(v);
    w.ClickRow(2);
    w.form.DeleteSelectedRow();
    QCOMPARE(Label(w, 3), QStringLiteral("4"));
    w.ClickRow(3);
    QCOMPARE(w.Text("Text1"), QStringLiteral("4"));
    QCOMPARE(w.Text("Text2"), QStringLiteral("3"));
    w.Type("Text1", "40");
    QTest::keyClick(w.Box("Text1"), Qt::Key_Return);
    QCOMPARE(w.Cell(3, 1), QStringLiteral("40"));
    QCOMPARE(Label(w, 3), QStringLiteral("4"));
    QCOMPARE(w.Cell(4, 1), QStringLiteral("5"));
    QCOMPARE(w.Text("Text2"), QStringLiteral("4"));
  }

  void pairedEntriesEmptyThePanelUntilTheCountsAgree() {
    Window w;
    w.Click("Command1(1)");
    for (const char* v : {"10", "12", "9"}) w.Enter(v);
    w.Click("Option2");
    w.Enter("8");
    w.Enter("11");
    for (int i = 0; i < 4; ++i) QCOMPARE(w.Text(QStringLiteral("Text5(%1)").arg(i)), QString());
    QCOMPARE(w.Text("Text6"), QString());
    w.Enter("9");
    QCOMPARE(w.Text("Text5(0)"), QStringLiteral("3"));
    QCOMPARE(w.Text("Text5(1)"), QStringLiteral("1"));
    QCOMPARE(w.Text("Text5(2)"), QStringLiteral("1"));
    QCOMPARE(w.Text("Text6"), QStringLiteral("1.7320"));
  }

  void regressionEntriesRecomputeThePanel() {
    Window w;
    w.Click("Command1(2)");
    for (const char* v : {"1", "2", "3", "4", "5"}) w.Enter(v);
    QCOMPARE(w.Text("Text9"), QString());  // the groups differ in size
    w.Click("Option2");
    for (const char* v : {"2", "4", "5", "4", "5"}) w.Enter(v);
    QCOMPARE(w.Text("Text9"), QStringLiteral("5"));
    QCOMPARE(w.Text("Text8"), QStringLiteral("0.77459"));
    QCOMPARE(w.Text("Text7"), QStringLiteral("2.1213"));
    QCOMPARE(w.Text("Text10"), QStringLiteral("Y=2.2 + 0.6X"));
  }

  void aFullListStoresNothingMore() {
    Window w;
    std::vector<SampleRow> rows(SampleList::kMaxRows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      rows[i] = {std::to_string(i + 1), std::to_string(i % 7), ""};
    }
    QVERIFY(w.form.ListModel()->Assign(rows));
    QTest::mouseClick(w.Box("Text2"), Qt::LeftButton);
    QCOMPARE(w.Text("Text2"), QStringLiteral("32768"));
    w.Enter("1");
    QCOMPARE(w.form.List().Count(), SampleList::kMaxRows);
    QCOMPARE(w.Cell(SampleList::kMaxRows, 1), QStringLiteral("6"));
    QCOMPARE(w.Text("Text2"), QStringLiteral("32768"));
    QCOMPARE(w.Text("Text3(4)"), QStringLiteral("32767"));
    // Group 2 still takes values in the existing rows.
    w.Click("Option2");
    w.Enter("2");
    QCOMPARE(w.Cell(1, 2), QStringLiteral("2"));
  }
};

SUMVANE_WINDOW_TEST_MAIN(DataEntryTest)
#include "test_data_entry.moc"
