// Each analysis shows one figure the same wherever it appears: in the panel's
// boxes and labels, in the worked report and in the results copied. The
// results copied list the panel's own figures first; the figures only the
// report works out (the effect measures) follow them.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>

#include "window_test_support.h"

using sumvane::testing::Window;
using Rows = std::vector<std::pair<std::string, std::string>>;

Q_DECLARE_METATYPE(Rows)

class OneResultTest : public QObject {
  Q_OBJECT

 private slots:
  void everyPlaceShowsTheSameFigures_data() {
    QTest::addColumn<int>("analysis");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QStringList>("cells");
    // How many of the figures copied, from the first, are the panel's own.
    QTest::addColumn<int>("panelFigures");
    // A figure of the effect that the copy must hold beyond them, if any.
    QTest::addColumn<QString>("effect");
    // R's sleep data, by group and as pairs.
    const Rows sleep = {{"0.7", "1.9"},   {"-1.6", "0.8"}, {"-0.2", "1.1"}, {"-1.2", "0.1"},
                        {"-0.1", "-0.1"}, {"3.4", "4.4"},  {"3.7", "5.5"},  {"0.8", "1.6"},
                        {"0.0", "4.6"},   {"2.0", "3.4"}};
    QTest::newRow("two-sample t") << 0 << sleep << QStringList{} << 8 << "Cohen's d";
    QTest::newRow("paired t") << 1 << sleep << QStringList{} << 4 << "";
    QTest::newRow("correlation") << 2
                                 << Rows{{"1", "2"}, {"2", "4"}, {"3", "5"}, {"4", "4"}, {"5", "5"}}
                                 << QStringList{} << 4 << "";
    QTest::newRow("chi-square") << 3 << Rows{} << QStringList{"20", "10", "15", "25"} << 6 << "OR";
    QTest::newRow("paired chi-square")
        << 4 << Rows{} << QStringList{"25", "8", "16", "31"} << 2 << "OR(配对)";
  }
  void everyPlaceShowsTheSameFigures() {
    QFETCH(int, analysis);
    QFETCH(Rows, rows);
    QFETCH(QStringList, cells);
    QFETCH(int, panelFigures);
    QFETCH(QString, effect);
    Window w;
    w.Click(QStringLiteral("Command1(%1)").arg(analysis));  // empties the list
    w.Fill(rows);
    for (int i = 0; i < cells.size(); ++i) w.Type(QStringLiteral("Text11(%1)").arg(i), cells[i]);
    w.Click("Command2");
    QTest::keyClick(&w.form, Qt::Key_R, Qt::ControlModifier);
    QCoreApplication::processEvents();
    const QString report = w.Find<QTextBrowser>("ReportText")->toPlainText();
    w.Find<QAction>("复制结果")->trigger();
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);

    // What the panel shows, box or label.
    QStringList shown;
    const QWidget* panel = w.Find(QStringLiteral("Frame4(%1)").arg(analysis));
    for (const QLineEdit* box : panel->findChildren<QLineEdit*>()) shown << box->text();
    for (const QLabel* label : panel->findChildren<QLabel*>()) shown << label->text();

    bool effectCopied = effect.isEmpty();
    int figures = 0;
    const QStringList copied = lines.mid(1);
    for (int i = 0; i < copied.size(); ++i) {
      const QString& line = copied[i];
      const QStringList parts = line.split('\t');
      QCOMPARE(parts.size(), 2);
      const QString& figure = parts[1];
      if (figure.isEmpty() || parts[0] == QStringLiteral("结论")) continue;
      ++figures;
      effectCopied = effectCopied || (i >= panelFigures && parts[0] == effect);
      if (i < panelFigures || parts[0] == QStringLiteral("P"))
        QVERIFY2(shown.contains(figure), qPrintable(line));
      QVERIFY2(report.contains(figure), qPrintable(line));
    }
    QVERIFY2(figures >= 3, qPrintable(lines.join(QLatin1Char('|'))));
    QVERIFY2(effectCopied, qPrintable(lines.join(QLatin1Char('|'))));
  }
};

SUMVANE_WINDOW_TEST_MAIN(OneResultTest)
#include "test_one_result.moc"
