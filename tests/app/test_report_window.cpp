// The worked calculation in its own window: it follows the panel on every
// change, and leaves the program by the clipboard, as HTML or PDF, and on
// paper. What each report says is checked with the report layer; here, that
// the window shows the report of the panel on show as it stands.
#include <QAction>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "window_test_support.h"

using sumvane::testing::Window;

namespace {

QString Shown(Window& w) {
  QCoreApplication::processEvents();  // the rewrite waits until the change is handled
  return w.Find<QTextBrowser>("ReportText")->toPlainText();
}

void TypeTwoSample(Window& w) {
  const QStringList inputs{"5.2", "4.1", "1.1", "1.3", "10", "12"};
  for (int i = 0; i < 6; ++i) w.Type(QStringLiteral("Text3(%1)").arg(i), inputs[i]);
}

// How often each digit and sign occurs in a text, whatever its layout.
QMap<QChar, int> Figures(const QString& text) {
  static const QString kept = QStringLiteral("0123456789.+-−±×÷=≠<>≤≥√%");
  QMap<QChar, int> counts;
  for (const QChar c : text) {
    if (kept.contains(c)) ++counts[c];
  }
  return counts;
}

QByteArray Head(const QString& path, int bytes) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
}

}  // namespace

class ReportWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void followsThePanelOnShow() {
    Window w;
    QTest::keyClick(&w.form, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(w.Find("ReportWindow")->isVisible());
    TypeTwoSample(w);
    // t = 2.1160 with 20 degrees of freedom: qt(0.975, 20) = 2.086.
    QVERIFY(Shown(w).contains(QStringLiteral("2.086")));
    QVERIFY(Shown(w).contains(QStringLiteral("P=0.0471")));
    QVERIFY(Shown(w).contains(QStringLiteral("拒绝H0")));
    QVERIFY(!Shown(w).contains(QStringLiteral("不拒绝H0")));
    w.Find<QAction>("Alpha(1)")->trigger();
    QVERIFY(Shown(w).contains(QStringLiteral("不拒绝H0")));

    w.Click("Command1(3)");
    for (int i = 0; i < 4; ++i) w.Type(QStringLiteral("Text11(%1)").arg(i), QString::number(5 + i));
    QVERIFY(Shown(w).contains(QStringLiteral("确切概率P=")));
    QVERIFY(!Shown(w).contains(QStringLiteral("2.086")));
  }

  // The text follows each keystroke; the pictures are drawn once typing
  // pauses, into the document itself.
  void picturesFollowOnceTypingPauses() {
    Window w;
    QTest::keyClick(&w.form, Qt::Key_R, Qt::ControlModifier);
    // The images the document shows, decoded at the pixels they cover.
    auto images = [&] {
      QTextDocument* document = w.Find<QTextBrowser>("ReportText")->document();
      static const QRegularExpression source(QStringLiteral("<img src=\"([^\"]+)\""));
      int found = 0;
      for (const auto& m : source.globalMatch(document->toHtml())) {
        const QImage image =
            document->resource(QTextDocument::ImageResource, QUrl(m.captured(1))).value<QImage>();
        if (image.size() == QSize(520, 300) * w.form.devicePixelRatio()) ++found;
      }
      return found;
    };
    QCOMPARE(images(), 0);  // an empty panel has nothing to draw
    TypeTwoSample(w);
    QVERIFY(Shown(w).contains(QStringLiteral("P=0.0471")));
    QTRY_COMPARE_WITH_TIMEOUT(images(), 2, 1000);
    QVERIFY(Shown(w).contains(QStringLiteral("由输入的汇总数据画出")));
    // A fourfold table adds the forests of its effect measures, ratios and RD.
    w.Click("Command1(3)");
    for (int i = 0; i < 4; ++i) w.Type(QStringLiteral("Text11(%1)").arg(i), QString::number(5 + i));
    QTRY_COMPARE_WITH_TIMEOUT(images(), 4, 1000);
  }

  void copySaveAndPrint() {
    QTemporaryDir dir;
    const QString html = dir.filePath("report.html"), pdf = dir.filePath("report.pdf");
    Window w({html, pdf});
    TypeTwoSample(w);
    w.Find<QAction>("计算过程")->trigger();

    // Ctrl+C with nothing selected copies the whole report, as HTML and text.
    QApplication::clipboard()->clear();
    QApplication::setActiveWindow(w.Find("ReportWindow"));
    QTest::keyClick(w.Find<QTextBrowser>("ReportText"), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    QVERIFY(copied->html().contains(QStringLiteral("<sub>")));
    QVERIFY(copied->text().contains(QStringLiteral("P=0.0471")));

    w.Find<QAction>("保存报告")->trigger();
    QVERIFY(Head(html, 1 << 22).contains("P=0.0471"));
    // The pictures travel inside the page, with no side files.
    QCOMPARE(Head(html, 1 << 22).count("src=\"data:image/png;base64,"), 2);
    w.Find<QAction>("保存报告")->trigger();
    QCOMPARE(Head(pdf, 5), QByteArray("%PDF-"));

    w.log->printFile = dir.filePath("printed.pdf");
    w.Find<QAction>("打印报告")->trigger();
    QCOMPARE(Head(w.log->printFile, 5), QByteArray("%PDF-"));
    QVERIFY(w.log->messages.isEmpty());

    // A save that fails says so.
    w.form.SetDialogs(std::make_unique<sumvane::testing::ScriptedDialogs>(
        w.log, QStringList{dir.filePath("no/such/folder/report.html")}));
    w.Find<QAction>("保存报告")->trigger();
    QCOMPARE(w.log->messages.size(), 1);
  }

  // Text copied out of a saved PDF holds every digit and sign the window's
  // report shows; the page numbers of the paper come on top.
  void pdfTextHoldsEveryFigure() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
      QSKIP("pdftotext (poppler-utils) is not installed");
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    Window w({pdf});
    TypeTwoSample(w);
    w.Find<QAction>("计算过程")->trigger();
    w.Find<QAction>("保存报告")->trigger();

    QProcess extract;
    extract.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QVERIFY(extract.waitForFinished(30000));
    const QString extracted = QString::fromUtf8(extract.readAllStandardOutput());
    QVERIFY2(extracted.contains(QStringLiteral("P=0.0471")), qPrintable(extracted));
    const QMap<QChar, int> inPdf = Figures(extracted);
    const QMap<QChar, int> shown = Figures(Shown(w));
    QVERIFY(shown.value('0') > 10);
    for (auto figure = shown.begin(); figure != shown.end(); ++figure) {
      QVERIFY2(inPdf.value(figure.key()) >= figure.value(),
               qPrintable(QStringLiteral("%1 shown %2 times, in the PDF's text %3")
                              .arg(figure.key())
                              .arg(figure.value())
                              .arg(inPdf.value(figure.key()))));
    }
  }
};

SUMVANE_WINDOW_TEST_MAIN(ReportWindowTest)
#include "test_report_window.moc"
