// The window as it opens, the character limits of its boxes, and the live
// two-sample t-test panel typed into by hand.
#include <QAbstractItemView>
#include <QHeaderView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTreeView>

#include "window_test_support.h"

using sumvane::testing::Window;

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  // The window icon offers all its sizes and draws each from the nearest file
  // at least as large, without growing beyond the largest.
  void windowIconDrawsEverySize_data() {
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("given");
    for (int side : {16, 32, 48, 128, 256}) QTest::addRow("%d", side) << side << side;
    QTest::newRow("between files") << 24 << 24;
    QTest::newRow("just above a file") << 49 << 49;
    QTest::newRow("above the largest") << 512 << 256;
  }
  void windowIconDrawsEverySize() {
    QFETCH(int, asked);
    QFETCH(int, given);
    Window w;
    const QIcon icon = w.form.windowIcon();
    QCOMPARE(icon.availableSizes(),
             (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {128, 128}, {256, 256}}));
    QCOMPARE(icon.actualSize(QSize(asked, asked)), QSize(given, given));
    const QImage image = icon.pixmap(QSize(asked, asked)).toImage();
    QCOMPARE(image.size(), QSize(given, given));
    QVERIFY(qAlpha(image.pixel(given / 2, given / 2)) > 0);  // the picture, not an empty pixmap
  }

  void opensInItsDesignedState() {
    Window w;
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Sumvane 2.0"));
    QCOMPARE(w.form.CurrentMethod(), 0);
    QVERIFY(w.Find("Frame4(0)")->isVisible());
    for (int i = 1; i <= 4; ++i) QVERIFY(!w.Find(QStringLiteral("Frame4(%1)").arg(i))->isVisible());
    QVERIFY(!w.Find("Picture3")->isVisible());
    QVERIFY(w.Find("L1")->isVisible());
    // A report list: its column captions stand at the left of their columns.
    const QHeaderView* header = w.Find<QTreeView>("L1")->header();
    QCOMPARE(header->defaultAlignment(), Qt::AlignLeft | Qt::AlignVCenter);
    QCOMPARE(header->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("序号"));
    QCOMPARE(w.form.List().Count(), 0);
    QVERIFY(w.Find("Text14")->isVisible());
    QVERIFY(!w.Find("Text16")->isVisible());
    QVERIFY(!w.Find("Text17")->isVisible());
    QCOMPARE(w.Text("Label12"), QStringLiteral("两样本均数差别T检验"));
    QCOMPARE(w.Text("Text2"), QStringLiteral("1"));
    QCOMPARE(w.Text("Text1"), QString());
    QVERIFY(w.Find<QRadioButton>("Option1")->isChecked());
    QVERIFY(!w.Find<QRadioButton>("Option2")->isChecked());
    for (const char* name : {"Text1", "Text2", "Option1", "Option2", "Command2"}) {
      QVERIFY2(w.Find(name)->isEnabled(), name);
    }
    for (int i = 0; i <= 4; ++i) QCOMPARE(w.Text(QStringLiteral("Label18(%1)").arg(i)), "0");
    for (int i : {0, 1, 2, 3, 4, 5, 6, 9}) QCOMPARE(w.Text(QStringLiteral("Text3(%1)").arg(i)), "");
    QCOMPARE(w.Text("Label6(0)"), QStringLiteral("自由度(N1+N2-2)=") + QString(17, ' '));
    const QStringList captions = {"两样本均数差别T检验", "配对计量资料T检验", "直线相关与回归",
                                  "计数资料卡方检验", "配对资料卡方检验"};
    for (int i = 0; i < 5; ++i) {
      QCOMPARE(w.Find<QPushButton>(QStringLiteral("Command1(%1)").arg(i))->text(), captions[i]);
    }
  }

  // On the black panels an empty box that takes typing shows a grey rule
  // along its bottom; a box that only shows a result does not.
  void typableBoxesOnBlackPanelsShowARule() {
    Window w;
    const auto bottomMiddle = [&](const char* name) {
      const QImage image = w.Find(name)->grab().toImage();
      return QColor(image.pixel(image.width() / 2, image.height() - 1));
    };
    QCOMPARE(bottomMiddle("Text3(0)"), QColor(0x60, 0x60, 0x60));
    QCOMPARE(bottomMiddle("Text3(5)"), QColor(0x60, 0x60, 0x60));
    QCOMPARE(bottomMiddle("Text3(6)"), QColor(Qt::black));
    QCOMPARE(bottomMiddle("Text3(9)"), QColor(Qt::black));
  }

  void toolbarCommandsCarryPictures() {
    Window w;
    for (const char* name : {"导入", "导出", "退出"}) {
      const QIcon icon = w.Find<QAction>(QString::fromUtf8(name))->icon();
      for (int side : {16, 32}) {
        const QImage image = icon.pixmap(QSize(side, side)).toImage();
        QCOMPARE(image.size(), QSize(side, side));
        QVERIFY2(qAlpha(image.pixel(side / 2, side / 2)) > 0, name);
      }
    }
  }

  // The window, its menus and the tables name a face that is installed, so
  // that what is asked for is what is drawn.
  void namesInstalledFaces() {
    Window w;
    for (const QFont& font : {w.form.font(), QApplication::font(), QApplication::font("QMenu"),
                              w.Find("Text14")->font(), w.Find("Label10(0)")->font()}) {
      QCOMPARE(QFontInfo(font).family(), font.family());
    }
    QCOMPARE(QApplication::font().family(), w.form.font().family());
  }

  void keepsOneSize() {
    Window w;
    QCOMPARE(w.Find("client")->size(), QSize(545, 432));
    QCOMPARE(w.form.minimumSize(), w.form.maximumSize());
    const QSize before = w.form.size();
    w.form.resize(before + QSize(100, 80));
    QCOMPARE(w.form.size(), before);
    QVERIFY(!(w.form.windowFlags() & Qt::WindowMaximizeButtonHint));
  }

  void placesControlsInTwips() {
    Window w;
    // 15 twips make a pixel: the list at 2280, 525 and 5885 x 3165 twips.
    QCOMPARE(w.Find("L1")->geometry(), QRect(152, 35, 392, 211));
    QCOMPARE(w.Find("Command1(4)")->geometry(), QRect(10, 135, 131, 26));
    QCOMPARE(w.Find("Text3(9)")->geometry(), QRect(36, 85, 86, 20));
    QCOMPARE(w.Find("Frame4(4)")->geometry(), QRect(160, 308, 376, 116));
  }

  void limitsTypingPerBox_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("limit");
    QTest::newRow("input box") << "Text1" << 10;
    QTest::newRow("X1") << "Text3(0)" << 6;
    QTest::newRow("N2") << "Text3(5)" << 6;
    QTest::newRow("pairs") << "Text5(0)" << 6;
    QTest::newRow("Sd") << "Text5(2)" << 6;
    QTest::newRow("chi-square") << "Text15" << 6;
    QTest::newRow("r") << "Text8" << -1;
    QTest::newRow("n") << "Text9" << -1;
    QTest::newRow("equation") << "Text10" << -1;
  }
  void limitsTypingPerBox() {
    QFETCH(QString, box);
    QFETCH(int, limit);
    Window w;
    // Panels other than the first are hidden; show the box's panel to type into it.
    for (QWidget* p = w.Box(box)->parentWidget(); p != &w.form; p = p->parentWidget()) p->show();
    const QString typed = QStringLiteral("12345678901234567890");
    QTest::keyClicks(w.Box(box), typed);
    QCOMPARE(w.Text(box), limit < 0 ? typed : typed.left(limit));
  }

  void refusesTypingIntoResultsAndTables() {
    Window w;
    for (const char* name : {"Text3(6)", "Text3(9)"}) {
      QTest::keyClicks(w.Box(name), "12");
      QCOMPARE(w.Text(name), QString());
    }
    auto* table = w.Find<QPlainTextEdit>("Text14");
    const QString before = table->toPlainText();
    QTest::keyClicks(table, "abc");
    QCOMPARE(table->toPlainText(), before);
    QVERIFY(table->isReadOnly());
    QCOMPARE(table->lineWrapMode(), QPlainTextEdit::NoWrap);
  }

  void twoSamplePanelFollowsEveryKeystroke_data() {
    QTest::addColumn<QStringList>("inputs");  // X1, X2, S1, S2, N1, N2
    QTest::addColumn<QString>("degrees");
    QTest::addColumn<QString>("t");
    QTest::newRow("worked example") << QStringList{"5.2", "4.1", "1.1", "1.3", "10", "12"} << "20"
                                    << "2.1160";
    QTest::newRow("equal spreads") << QStringList{"3", "3.4", "0.5", "0.5", "5", "5"} << "8"
                                   << "1.2649";
    QTest::newRow("means swapped") << QStringList{"3.4", "3", "0.5", "0.5", "5", "5"} << "8"
                                   << "1.2649";
    QTest::newRow("t below one") << QStringList{"3", "3.1", "0.5", "0.5", "5", "5"} << "8"
                                 << ".31622";
    QTest::newRow("only sizes: no standard error")
        << QStringList{"", "", "", "", "10", "12"} << "20"
        << "";
    QTest::newRow("one degree of freedom") << QStringList{"5", "4", "1", "1", "2", "1"} << "1"
                                           << "";
    QTest::newRow("no sizes") << QStringList{"5", "4", "1", "1", "", ""} << ""
                              << "";
    QTest::newRow("empty first group") << QStringList{"", "", "", "", "0", "5"} << ""
                                       << "";
    QTest::newRow("equal means") << QStringList{"4", "4", "1", "2", "6", "7"} << "11"
                                 << "0";
  }
  void twoSamplePanelFollowsEveryKeystroke() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, degrees);
    QFETCH(QString, t);
    Window w;
    for (int i = 0; i < 6; ++i) {
      if (!inputs[i].isEmpty()) w.Type(QStringLiteral("Text3(%1)").arg(i), inputs[i]);
    }
    QCOMPARE(w.Text("Text3(6)"), degrees);
    QCOMPARE(w.Text("Text3(9)"), t);
  }

  void staleTIsNeverLeftBesideNewInputs() {
    Window w;
    const QStringList inputs{"5.2", "4.1", "1.1", "1.3", "10", "12"};
    for (int i = 0; i < 6; ++i) w.Type(QStringLiteral("Text3(%1)").arg(i), inputs[i]);
    QCOMPARE(w.Text("Text3(9)"), QStringLiteral("2.1160"));
    w.Type("Text3(5)", "");  // N2 gone: no degrees of freedom, no t
    QCOMPARE(w.Text("Text3(6)"), QString());
    QCOMPARE(w.Text("Text3(9)"), QString());
    w.Type("Text3(5)", "1");
    w.Type("Text3(4)", "2");  // one degree of freedom: no t
    QCOMPARE(w.Text("Text3(6)"), QStringLiteral("1"));
    QCOMPARE(w.Text("Text3(9)"), QString());
  }

  void qtsOwnDialogsSpeakChinese() {
    QMessageBox box(QMessageBox::Question, QString(), QString(),
                    QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
    QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
    QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
  }

  void closingEndsWithoutQuestion() {
    Window w;
    w.Fill({{"1", "2"}});
    QVERIFY(w.form.close());
    QVERIFY(!w.form.isVisible());
    QVERIFY(w.log->messages.isEmpty());
  }
};

SUMVANE_WINDOW_TEST_MAIN(StartupTest)
#include "test_startup.moc"
