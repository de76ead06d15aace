// Keyboard and screen-reader access: the tab order of each arrangement, Enter
// in the fourfold table, and the names and values that assistive tools read.
#include <QAccessible>
#include <QAccessibleInterface>

#include "window_test_support.h"

using sumvane::testing::Window;

namespace {

// The object names that Tab visits from the first analysis button on, until
// focus comes back to it.
QStringList TabChain(Window& w) {
  QWidget* first = w.Find("Command1(0)");
  first->setFocus(Qt::TabFocusReason);
  QStringList visited;
  for (int i = 0; i < 60; ++i) {
    visited << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    if (QApplication::focusWidget() == first) break;
  }
  return visited;
}

QString Accessible(QWidget* widget, QAccessible::Text text) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  return face ? face->text(text) : QStringLiteral("<none>");
}

const QStringList kButtons{"Command1(0)", "Command1(1)", "Command1(2)", "Command1(3)",
                           "Command1(4)"};

}  // namespace

class KeyboardAccessTest : public QObject {
  Q_OBJECT

 private slots:
  void tabFollowsTheReadingOrder_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QStringList>("chain");
    const QStringList entry{"Option1", "Text2", "Text1", "Command2"};
    const QStringList cells{"Text11(0)", "Text11(1)", "Text11(2)", "Text11(3)", "Command2"};
    QTest::newRow("two-sample") << 0
                                << kButtons + QStringList{"L1"} + entry +
                                       QStringList{"Text3(0)", "Text3(1)", "Text3(2)",
                                                   "Text3(3)", "Text3(4)", "Text3(5)",
                                                   "Text3(6)", "Text3(9)", "Text14"};
    QTest::newRow("paired t") << 1
                              << kButtons + QStringList{"L1"} + entry +
                                     QStringList{"Text5(0)", "Text5(1)", "Text5(2)", "Text6",
                                                 "Text14"};
    QTest::newRow("regression") << 2
                                << kButtons + QStringList{"L1"} + entry +
                                       QStringList{"Text9", "Text8", "Text7", "Text10", "Text17"};
    QTest::newRow("fourfold") << 3 << kButtons + cells + QStringList{"Text15", "Text16"};
    QTest::newRow("paired chi-square")
        << 4 << kButtons + cells + QStringList{"Text13", "Text12", "Text16"};
  }
  void tabFollowsTheReadingOrder() {
    QFETCH(int, method);
    QFETCH(QStringList, chain);
    Window w;
    w.Click(QStringLiteral("Command1(%1)").arg(method));
    QCOMPARE(TabChain(w), chain);
  }

  void enterMovesThroughTheCells() {
    Window w;
    w.Click("Command1(3)");
    const QStringList cells{"20", "10", "15", "25"};
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text11(%1)").arg(i));
      QTest::keyClicks(QApplication::focusWidget(), cells[i]);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget(), w.Find("Text11(0)"));
    QCOMPARE(w.Text("Text15"), QStringLiteral("5.8333"));
  }

  void commandsAnswerTheirKeys() {
    Window w;
    w.Find("Command1(2)")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(w.form.CurrentMethod(), 2);
    w.Fill({{"1", "2"}, {"2", "4"}, {"3", "5"}});
    w.Find("Command2")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(w.Text("Text9"), QStringLiteral("3"));
    // A row chosen with the arrow keys and Enter loads like a click.
    w.Find("L1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(w.form.SelectedRow().has_value());
    QCOMPARE(w.Text("Text2"), QString::number(*w.form.SelectedRow()));
  }

  void everyControlHasAChineseName_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("X1") << "Text3(0)"
                        << "均  数(X1)=";
    QTest::newRow("S2") << "Text3(3)"
                        << "标准差(S2)=";
    QTest::newRow("degrees") << "Text3(6)"
                             << "自由度(N1+N2-2)=";
    QTest::newRow("t") << "Text3(9)"
                       << "t=";
    QTest::newRow("pairs") << "Text5(0)"
                           << "对子数(N)=";
    QTest::newRow("paired t") << "Text6"
                              << "t=";
    QTest::newRow("n") << "Text9"
                       << "例数(n) =";
    QTest::newRow("equation") << "Text10"
                              << "回归方程(Y):";
    QTest::newRow("chi-square") << "Text15"
                                << "x2 =";
    QTest::newRow("paired n") << "Text13"
                              << "n =";
    QTest::newRow("input") << "Text1"
                           << "数据";
    QTest::newRow("row number") << "Text2"
                                << "序号";
    QTest::newRow("cell a") << "Text11(0)"
                            << "实际频数 a";
    QTest::newRow("list") << "L1"
                          << "样本数据列表";
    QTest::newRow("t table") << "Text14"
                             << "t界值表";
    QTest::newRow("button") << "Command1(3)"
                            << "计数资料卡方检验";
    QTest::newRow("calculate") << "Command2"
                               << "计算";
    QTest::newRow("group") << "Option2"
                           << "第2组";
  }
  void everyControlHasAChineseName() {
    QFETCH(QString, control);
    QFETCH(QString, name);
    Window w;
    QCOMPARE(Accessible(w.Find(control), QAccessible::Name), name);
  }

  void resultsAnnounceTheirFigures() {
    Window w;
    w.Click("Command1(3)");
    const QStringList cells{"20", "10", "15", "25"};
    for (int i = 0; i < 4; ++i) w.Type(QStringLiteral("Text11(%1)").arg(i), cells[i]);
    QCOMPARE(Accessible(w.Find("Text15"), QAccessible::Value), QStringLiteral("5.8333"));
    QCOMPARE(Accessible(w.Find("Label20(1)"), QAccessible::Name),
             QStringLiteral("a 的理论数(T)=15"));
    QCOMPARE(Accessible(w.Find("Label18(4)"), QAccessible::Name), QStringLiteral("总计 70"));
  }

  void noWidgetWithoutAName() {
    Window w;
    for (auto* widget : w.form.findChildren<QWidget*>()) {
      const bool input = qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractButton*>(widget);
      // Qt's own helpers (qt_...) name themselves.
      if (!input || widget->objectName().isEmpty() || widget->objectName().startsWith("qt_"))
        continue;
      QVERIFY2(!Accessible(widget, QAccessible::Name).trimmed().isEmpty(),
               qPrintable(widget->objectName()));
    }
  }
};

SUMVANE_WINDOW_TEST_MAIN(KeyboardAccessTest)
#include "test_keyboard_access.moc"
