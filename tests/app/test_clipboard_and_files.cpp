// Data in and out the way users expect: paste from a spreadsheet into the
// list, the data box or the table; copy the list, the table and the results;
// table files (CSV); files dropped on the window; files that give no rows;
// the file dialogs' proposals and columns.
#include <QAction>
#include <QClipboard>
#include <QFileSystemModel>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>

#include "window_test_support.h"

using sumvane::testing::Window;

namespace {

void Paste(Window& w, const QString& text) {
  QApplication::clipboard()->setText(text);
  w.Find<QAction>("粘贴")->trigger();
}

QString StatusNote(Window& w) { return w.Find<QStatusBar>("StatusBar")->currentMessage(); }

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class ClipboardAndFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void pasteColumnsFromASpreadsheet() {
    Window w;
    w.Enter("1");
    Paste(w, "第1组\t第2组\r\n15.2\t3\r\n21.5\t4\r\n\t5\r\n");
    QCOMPARE(w.Labels(), (QStringList{"1", "2", "3"}));
    QCOMPARE(w.Cell(2, 1), QStringLiteral("15.2"));
    QCOMPARE(w.Cell(3, 1), QStringLiteral("21.5"));
    QCOMPARE(w.Cell(3, 2), QStringLiteral("5"));
    QCOMPARE(w.Text("Text3(4)"), QStringLiteral("3"));  // the panel follows
    w.Find<QAction>("撤销")->trigger();
    QCOMPARE(w.Labels(), QStringList{"1"});

    // Several lines into the data box go to the list; one value stays text.
    QApplication::clipboard()->setText("7\n8\n");
    w.Box("Text1")->setFocus();
    QTest::keyClick(w.Box("Text1"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.Labels(), (QStringList{"1", "2", "3"}));
    QCOMPARE(w.Text("Text1"), QString());
    QCOMPARE(w.Text("Text2"), QStringLiteral("4"));
    // The data box's paste is one step too.
    w.Find<QAction>("撤销")->trigger();
    QCOMPARE(w.Labels(), QStringList{"1"});
    w.Find<QAction>("重做")->trigger();
    QCOMPARE(w.Labels(), (QStringList{"1", "2", "3"}));
    QApplication::clipboard()->setText("9.5");
    QTest::keyClick(w.Box("Text1"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.Text("Text1"), QStringLiteral("9.5"));

    // Anything else pastes nothing and says why.
    Paste(w, "1\nabc\n3\n");
    QCOMPARE(w.Labels(), (QStringList{"1", "2", "3"}));
    QVERIFY(!StatusNote(w).isEmpty());
  }

  void pasteAndCopyTheFourfoldTable() {
    Window w;
    w.Click("Command1(3)");
    Paste(w, "12\t5\n4\t9\n");
    QCOMPARE(w.Text("Text11(3)"), QStringLiteral("9"));
    QCOMPARE(w.Text("P(3)"), QStringLiteral("确切概率P=0.0634"));
    w.Find<QAction>("复制")->trigger();
    const QString table = QApplication::clipboard()->text();
    QVERIFY(table.contains(QStringLiteral("试验组\t12\t5\t17")));
    w.Find<QAction>("复制结果")->trigger();
    QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("P\t确切概率P=0.0634")));
    w.Find<QAction>("撤销")->trigger();
    QCOMPARE(w.Text("Text11(0)"), QString());
  }

  void copyTheListForASpreadsheet() {
    Window w;
    w.Fill({{"1.5", "2"}, {"3", ""}});
    w.Find("L1")->setFocus();
    QTest::keyClick(w.Find("L1"), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("序号\t第1组\t第2组\n1\t1.5\t2\n2\t3\t\n"));
  }

  void tableFilesRoundTripAndDrop() {
    QTemporaryDir dir;
    const QString csv = dir.filePath("data.csv");
    Window w({csv, csv});
    w.Fill({{"1.5", "2"}, {"3", ""}});
    w.form.ExportSampleList();
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("\xEF\xBB\xBF序号,第1组,第2组\r\n"));
    w.form.ClearList();
    w.form.ImportSampleList();
    QCOMPARE(w.Labels(), (QStringList{"1", "2"}));
    QCOMPARE(w.Cell(1, 2), QStringLiteral("2"));

    w.form.ClearList();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(csv)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.form, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.form, &drop);
    QCOMPARE(w.Labels(), (QStringList{"1", "2"}));
  }

  // The save dialog starts at the file the list last came from or went to.
  void exportProposesTheLastFile() {
    QTemporaryDir dir;
    const QString txt = dir.filePath("血压.txt"), csv = dir.filePath("out.csv");
    QVERIFY(WriteFile(txt,
                      "\xA1\xA4"
                      "1        5\r\n"));
    Window w({QString(), txt, QString(), csv, QString()});
    w.Fill({{"7", ""}});
    w.form.ExportSampleList();
    w.form.ImportSampleList();
    w.form.ExportSampleList();
    w.form.ExportSampleList();
    w.form.ExportSampleList();
    QCOMPARE(w.log->proposedSaveNames, (QStringList{QStringLiteral("数据.txt"), txt, txt, csv}));
  }

  // Qt writes a file's size and date in the system's locale, English here;
  // the dialogs write them in the program's, Chinese.
  void fileDialogColumnsFollowTheDefaultLocale() {
    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.filePath("a.txt"), "12345"));
    QFileSystemModel files;
    files.setRootPath(dir.path());
    sumvane::FileColumnsInDefaultLocale columns;
    columns.setSourceModel(&files);
    const QModelIndex file = columns.mapFromSource(files.index(dir.filePath("a.txt")));
    auto text = [&](int column) {
      return columns.index(file.row(), column, file.parent()).data().toString();
    };
    struct PinnedAgain {
      ~PinnedAgain() { QLocale::setDefault(QLocale::c()); }
    } pinned_again;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QTRY_COMPARE(text(1), QStringLiteral("5 字节"));
    const QString date = text(3);
    static const QRegularExpression chineseDate(
        QStringLiteral("^\\d{4}/\\d{1,2}/\\d{1,2} \\d{1,2}:\\d{2}$"));
    QVERIFY2(chineseDate.match(date).hasMatch(), qPrintable(date));
  }

  void aFileWithoutRowsKeepsTheListAndSaysSo() {
    QTemporaryDir dir;
    const QString wrong = dir.filePath("notes.txt"), damaged = dir.filePath("damaged.txt");
    QVERIFY(WriteFile(wrong, "just a note\r\n"));
    // A row in GB18030 beside a line no encoding reads.
    QVERIFY(WriteFile(damaged,
                      "\xA1\xA4"
                      "1        5\r\n\x81\x20\r\n"));
    Window w({wrong, damaged});
    w.Fill({{"7", ""}});
    w.form.ImportSampleList();
    QCOMPARE(w.Labels(), QStringList{"1"});
    QCOMPARE(w.Cell(1, 1), QStringLiteral("7"));
    QCOMPARE(w.log->messages.last(), QStringLiteral("文件中没有找到数据行：notes.txt"));
    w.form.ImportSampleList();
    QCOMPARE(w.Cell(1, 1), QStringLiteral("5"));
    QVERIFY(w.log->messages.last().contains(QStringLiteral("1 行")));
  }
};

SUMVANE_WINDOW_TEST_MAIN(ClipboardAndFilesTest)
#include "test_clipboard_and_files.moc"
