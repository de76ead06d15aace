// The sample-size window, driven by its object names as a user drives it:
// each design shows the boxes it reads and the plan follows the typing. The
// figures themselves are checked in the engine and report tests; here, that
// each design is wired to them, and that the page leaves the program.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "window_test_support.h"

using sumvane::testing::Window;

namespace {

const QStringList kBoxes = {"ssAlpha", "ssPower", "ssDelta", "ssSigma", "ssP1",
                            "ssP2",    "ssRho",   "ssRatio", "ssN"};

QWidget* OpenSampleSize(Window& w) {
  w.Find<QAction>(QStringLiteral("样本含量估计"))->trigger();
  return w.Find(QStringLiteral("SampleSizeWindow"));
}

QString Shown(Window& w) {
  return w.Find<QTextBrowser>(QStringLiteral("SampleSizeText"))->toPlainText();
}

}  // namespace

class SampleSizeWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void eachDesignFollowsTheTyping_data() {
    QTest::addColumn<int>("design");
    QTest::addColumn<QStringList>("typed");  // box=text
    QTest::addColumn<QStringList>("expected");
    // Figures from R: power.t.test(delta = 1, sd = 2, power = .9) n = 85.03,
    // and at n = 30 power 0.4778; the formulas of the other designs.
    QTest::newRow("two means") << 0 << QStringList{"ssDelta=1", "ssSigma=2", "ssN=30"}
                               << QStringList{"每组至少需85例", "确切解：每组至少需86例",
                                              "1−β=0.4778"};
    QTest::newRow("paired means") << 1 << QStringList{"ssDelta=1", "ssSigma=1.2", "ssSides=1"}
                                  << QStringList{"至少需13对", "单侧检验"};
    QTest::newRow("two rates") << 2 << QStringList{"ssP1=0.3", "ssP2=0.4", "ssN=100"}
                               << QStringList{"每组至少需477例", "1−β=0.3156"};
    QTest::newRow("paired rates") << 3 << QStringList{"ssP1=0.24", "ssP2=0.04"}
                                  << QStringList{"至少需70对"};
    QTest::newRow("correlation") << 4 << QStringList{"ssRho=0.5"} << QStringList{"至少需38例"};
    QTest::newRow("out of range") << 4 << QStringList{"ssRho=1"}
                                  << QStringList{"总体相关系数ρ的绝对值须小于1。"};
  }
  void eachDesignFollowsTheTyping() {
    QFETCH(int, design);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, expected);
    Window w;
    QWidget* window = OpenSampleSize(w);
    QVERIFY(window->isVisible());
    QVERIFY(!window->isModal());
    w.Find<QComboBox>(QStringLiteral("ssDesign"))->setCurrentIndex(design);
    const QStringList needs[] = {{"ssAlpha", "ssPower", "ssDelta", "ssSigma", "ssRatio", "ssN"},
                                 {"ssAlpha", "ssPower", "ssDelta", "ssSigma", "ssN"},
                                 {"ssAlpha", "ssPower", "ssP1", "ssP2", "ssN"},
                                 {"ssAlpha", "ssPower", "ssP1", "ssP2", "ssN"},
                                 {"ssAlpha", "ssPower", "ssRho", "ssN"}};
    for (const QString& box : kBoxes)
      QCOMPARE(w.Box(box)->isVisible(), needs[design].contains(box));
    for (const QString& entry : typed) {
      const QString name = entry.section('=', 0, 0), text = entry.section('=', 1);
      if (name == QStringLiteral("ssSides")) {
        w.Find<QComboBox>(name)->setCurrentIndex(text.toInt());
      } else {
        w.Type(name, text);
      }
    }
    const QString shown = Shown(w);
    for (const QString& line : expected) QVERIFY2(shown.contains(line), qPrintable(shown));
    if (expected.size() == 1 && expected[0].endsWith(QStringLiteral("。")))
      QVERIFY(!shown.contains(QStringLiteral("至少需")));
  }

  // Saved and copied as the report window does: the curve goes with the
  // page as PNG.
  void savesThePageWithItsCurve() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.html"));
    Window w({path});
    OpenSampleSize(w);
    w.Type(QStringLiteral("ssDelta"), QStringLiteral("1"));
    w.Type(QStringLiteral("ssSigma"), QStringLiteral("2"));
    w.Find<QAction>(QStringLiteral("保存样本含量"))->trigger();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    QVERIFY(page.contains(QStringLiteral("检验效能曲线")));
    QVERIFY(page.contains(QStringLiteral("data:image/png;base64,")));
    QVERIFY(Shown(w).contains(QStringLiteral("每组至少需86例")));
    // Ctrl+C with nothing selected: the whole page, the curve with it.
    QApplication::clipboard()->clear();
    QApplication::setActiveWindow(w.Find(QStringLiteral("SampleSizeWindow")));
    QTest::keyClick(w.Find<QTextBrowser>(QStringLiteral("SampleSizeText")), Qt::Key_C,
                    Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    QVERIFY(copied);
    QVERIFY(copied->html().contains(QStringLiteral("data:image/png;base64,")));
    QVERIFY(copied->text().contains(QStringLiteral("每组至少需86例")));
  }
};

SUMVANE_WINDOW_TEST_MAIN(SampleSizeWindowTest)
#include "test_sample_size_window.moc"
