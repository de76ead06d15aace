// The menus, the toolbar and the list's pop-up menu: every command from each
// place it can be given, with dialogs answered by a script.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include "window_test_support.h"

using sumvane::testing::Window;

namespace {

QToolButton* ToolButton(Window& w, const QString& action) {
  auto* toolbar = w.Find<QToolBar>("Toolbar1");
  return qobject_cast<QToolButton*>(toolbar->widgetForAction(w.Find<QAction>(action)));
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

}  // namespace

class CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void menusCarryTheirItemsAndKeys_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("keys");
    QTest::newRow("import") << "文件"
                            << "导入"
                            << "导入"
                            << "Ctrl+I";
    QTest::newRow("export") << "文件"
                            << "导出"
                            << "导出"
                            << "Ctrl+K";
    QTest::newRow("exit") << "文件"
                          << "退出"
                          << "退出"
                          << "Ctrl+G";
    QTest::newRow("clear") << "编辑"
                           << "清空"
                           << "清空"
                           << "Ctrl+M";
    QTest::newRow("undo") << "编辑"
                          << "撤销"
                          << "撤销"
                          << "Ctrl+Z";
    QTest::newRow("redo") << "编辑"
                          << "重做"
                          << "重做"
                          << "Ctrl+Y";
    QTest::newRow("delete") << "编辑"
                            << "删除"
                            << "删除"
                            << "Del";
    QTest::newRow("sample size") << "编辑"
                                 << "样本含量估计"
                                 << "样本含量估计"
                                 << "Ctrl+Shift+N";
    QTest::newRow("help") << "帮助"
                          << "操作说明"
                          << "帮助"
                          << "Ctrl+E";
    QTest::newRow("pop-up clear") << "et"
                                  << "清空1"
                                  << "清空"
                                  << "Ctrl+J";
    QTest::newRow("pop-up delete") << "et"
                                   << "删除1"
                                   << "删除"
                                   << "Ctrl+F";
  }
  void menusCarryTheirItemsAndKeys() {
    QFETCH(QString, menu);
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QFETCH(QString, keys);
    Window w;
    auto* action = w.Find<QAction>(item);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), QKeySequence(keys));
    QVERIFY(w.Find<QMenu>(menu)->actions().contains(action));
  }

  void menuBarReadsLeftToRight() {
    Window w;
    QStringList titles;
    for (QAction* a : w.form.menuBar()->actions()) titles << a->text();
    QCOMPARE(titles, (QStringList{"文件(F)", "编辑(E)", "帮助(H)"}));
    QStringList file;
    for (QAction* a : w.Find<QMenu>("文件")->actions())
      file << (a->isSeparator() ? "-" : a->text());
    QCOMPARE(file, (QStringList{"导入", "导出", "-", "退出"}));
    QVERIFY(w.Find<QAction>("dfh")->isSeparator());
    QStringList tools;
    for (QAction* a : w.Find<QToolBar>("Toolbar1")->actions()) {
      tools << (a->isSeparator() ? "-" : a->text());
    }
    QCOMPARE(tools, (QStringList{"导入", "导出", "-", "计算过程", "样本含量估计", "-", "退出"}));
    for (const char* name : {"导入", "导出", "计算过程", "退出"})
      QVERIFY(!ToolButton(w, name)->icon().isNull());
  }

  // Del deletes the chosen row, and a box keeps Del for its own text;
  // Ctrl+Z undoes, from anywhere in the window.
  void deleteRemovesOnlyTheSelectedRow() {
    Window w;
    w.Fill({{"1", ""}, {"2", ""}, {"3", ""}});
    QTest::keyClick(w.Find("L1"), Qt::Key_Delete);  // nothing selected
    QCOMPARE(w.form.List().Count(), 3);
    QVERIFY(w.log->messages.isEmpty());
    w.ClickRow(2);
    w.Type("Text1", "xy");
    QTest::keyClick(w.Box("Text1"), Qt::Key_Left);
    QTest::keyClick(w.Box("Text1"), Qt::Key_Delete);
    QCOMPARE(w.Text("Text1"), QStringLiteral("x"));
    QCOMPARE(w.form.List().Count(), 3);
    w.Find("L1")->setFocus();
    QTest::keyClick(w.Find("L1"), Qt::Key_Delete);
    QCOMPARE(w.Labels(), (QStringList{"1", "3"}));
    QTest::keyClick(w.Box("Text1"), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.Labels(), (QStringList{"1", "2", "3"}));
    QTest::keyClick(w.Box("Text1"), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w.Labels(), (QStringList{"1", "3"}));
    QCOMPARE(w.Text("Text1"), QString());  // the next Enter appends
    QCOMPARE(w.Text("Text2"), QStringLiteral("3"));
    QVERIFY(!w.form.SelectedRow());
    w.ClickRow(1);
    w.Find<QAction>("删除1")->trigger();
    QCOMPARE(w.Labels(), (QStringList{"3"}));
  }

  // The view's selection follows its row when another row goes, and goes with
  // its row; clearing the list leaves none.
  void selectionFollowsItsRow_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("after");  // 0: none
    QTest::newRow("an earlier row goes") << 3 << 1 << 2;
    QTest::newRow("a later row goes") << 3 << 4 << 3;
    QTest::newRow("the row itself goes") << 3 << 3 << 0;
  }
  void selectionFollowsItsRow() {
    QFETCH(int, selected);
    QFETCH(int, removed);
    QFETCH(int, after);
    Window w;
    w.Fill({{"1", ""}, {"2", ""}, {"3", ""}, {"4", ""}});
    w.ClickRow(selected);
    w.form.ListModel()->AppendRow("5");  // appending leaves the selection alone
    QCOMPARE(w.form.SelectedRow(), std::optional<int>(selected));
    if (removed == selected) {
      w.form.DeleteSelectedRow();
    } else {
      w.form.ListModel()->RemoveRow(removed);
    }
    QCOMPARE(w.form.SelectedRow(), after ? std::optional<int>(after) : std::nullopt);
    w.ClickRow(1);
    w.form.ClearList();
    QVERIFY(!w.form.SelectedRow());
  }

  // No figure on screen describes data that is gone.
  void thePanelFollowsTheList() {
    Window w;
    w.Fill({{"1", "2"}, {"2", "4"}, {"3", "6"}});
    w.Click("Command2");
    QCOMPARE(w.Text("Text3(4)"), QStringLiteral("3"));
    w.ClickRow(3);
    w.form.DeleteSelectedRow();
    QCOMPARE(w.Text("Text3(0)"), QStringLiteral("1.5"));
    QCOMPARE(w.Text("Text3(4)"), QStringLiteral("2"));
    QCOMPARE(w.Text("Text3(6)"), QStringLiteral("2"));
    w.Find<QAction>("清空")->trigger();
    QCOMPARE(w.Text("Text3(0)"), QString());
    QCOMPARE(w.Text("Text3(4)"), QString());
    QCOMPARE(w.Text("Text3(9)"), QString());
    QCOMPARE(w.Text("Verdict(0)"), QString());
    QCOMPARE(w.Text("Text2"), QStringLiteral("1"));
  }

  void clearFromTheMenuPerArrangement() {
    Window w;
    w.Fill({{"1", "2"}});
    w.Type("Text1", "5");
    QTest::keyClick(&w.form, Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(w.form.List().Count(), 0);
    QCOMPARE(w.Text("Text1"), QString());
    QCOMPARE(w.Text("Text2"), QStringLiteral("1"));

    w.Click("Command1(3)");
    const QStringList cells{"1", "2", "3", "4"};
    for (int i = 0; i < 4; ++i) w.Type(QStringLiteral("Text11(%1)").arg(i), cells[i]);
    w.Find("Text15")->setFocus();
    w.Find<QAction>("清空")->trigger();
    for (int i = 0; i < 4; ++i) QCOMPARE(w.Text(QStringLiteral("Text11(%1)").arg(i)), QString());
    const QStringList totals{"0", "0", "0", "", ""};
    for (int i = 0; i < 5; ++i) QCOMPARE(w.Text(QStringLiteral("Label18(%1)").arg(i)), totals[i]);
    QCOMPARE(QApplication::focusWidget(), w.Find("Text11(0)"));
  }

  void popupOpensOnRightButtonReleaseAndClears() {
    Window w;
    w.Fill({{"1", "2"}, {"3", "4"}});
    auto* view = w.Find<QTreeView>("L1");
    auto* popup = w.Find<QMenu>("et");
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, QPoint(20, 10));
    QVERIFY(!popup->isVisible());
    QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, QPoint(20, 10));
    QVERIFY(popup->isVisible());
    popup->hide();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    QVERIFY(!popup->isVisible());
    w.Find<QAction>("清空1")->trigger();
    QCOMPARE(w.form.List().Count(), 0);
  }

  void exportThenImportRoundTrips() {
    QTemporaryDir dir;
    const QString path = dir.filePath("数据.txt");
    Window w({path, path});
    w.Fill({{"5.2", "4.85"}, {"", "6"}});
    ToolButton(w, "导出")->click();
    QVERIFY(w.log->messages.isEmpty());
    QCOMPARE(ReadAll(path), QByteArray("\xA1\xA4"
                                       "1        5.2             4.85\r\n"
                                       "\xA1\xA4"
                                       "2                        6\r\n\r\n"));
    w.Find<QAction>("清空1")->trigger();
    QTest::keyClick(&w.form, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(w.log->openAsked, 1);
    QCOMPARE(w.Labels(), (QStringList{"1", "2"}));
    QCOMPARE(QString::fromStdString(std::string(*w.form.List().Cell(1, 2))),
             QStringLiteral("4.85"));
    QCOMPARE(QString::fromStdString(std::string(*w.form.List().Cell(2, 1))), QString());
  }

  // A cancelled dialog shows nothing, an empty name asks for one, a failed
  // save says that it failed and where.
  void cancelledOrFailedExportSaysWhatHappened() {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing/folder/out.txt");
    Window w({QString(), missing, QStringLiteral("")});
    for (int i = 0; i < 3; ++i) w.form.ExportSampleList();
    QCOMPARE(w.log->messages.size(), 2);
    QVERIFY(w.log->messages[0].contains(QDir::toNativeSeparators(missing)));
    QCOMPARE(w.log->messages[1], QStringLiteral("请输入保存文件名！"));
    QVERIFY(!QDir(dir.path()).exists("missing"));
  }

  // A cancelled dialog shows nothing; a file that cannot be read says so.
  void cancelledOrFailedImportKeepsTheList() {
    QTemporaryDir dir;
    Window w({QString(), dir.filePath("absent.txt"), dir.path()});
    w.Fill({{"1", "2"}});
    for (int i = 0; i < 3; ++i) ToolButton(w, "导入")->click();
    QCOMPARE(w.log->openAsked, 3);
    QCOMPARE(w.Labels(), QStringList{"1"});
    QCOMPARE(w.log->messages.size(), 2);
    QVERIFY(w.log->messages[0].contains(QStringLiteral("absent.txt")));
  }

  // Help needs no browser: the page shows in the program's own window, and
  // its links move between its sections.
  void helpShowsTheLocalPageInAWindowOfItsOwn() {
    Window w;
    QTest::keyClick(&w.form, Qt::Key_E, Qt::ControlModifier);
    auto* help = w.Find<QTextBrowser>("HelpText");
    QVERIFY(help->isVisible());
    QVERIFY(help->source().isLocalFile());
    QVERIFY(help->toPlainText().contains(QStringLiteral("两样本均数差别T检验")));
    QVERIFY(w.log->opened.isEmpty());
    const int top = help->verticalScrollBar()->value();
    emit help->anchorClicked(QUrl(QStringLiteral("#keys")));
    QVERIFY(help->verticalScrollBar()->value() > top);
  }

  void exitEndsTheProgramFromMenuAndToolbar() {
    for (bool fromToolbar : {false, true}) {
      Window w;
      w.Fill({{"1", "2"}});
      if (fromToolbar) {
        ToolButton(w, "退出")->click();
      } else {
        QTest::keyClick(&w.form, Qt::Key_G, Qt::ControlModifier);
      }
      QVERIFY(!w.form.isVisible());
      QVERIFY(w.log->messages.isEmpty());
    }
  }
};

SUMVANE_WINDOW_TEST_MAIN(CommandsTest)
#include "test_commands.moc"
