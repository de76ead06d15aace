// Each analysis shows one figure the same wherever it appears: in the panel's
// boxes and labels, in the results copied and in the worked report.
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
    // A figure of the effect, beyond the panel's, that the copy must hold.
    QTest::addColumn<QString>("effect");
    // R's sleep data, by group and as pairs.
    const Rows sleep = {{"0.7", "1.9"},   {"-1.6", "0.8"}, {"-0.2", "1.1"}, {"-1.2", "0.1"},
                        {"-0.1", "-0.1"}, {"3.4", "4.4"},  {"3.7", "5.5"},  {"0.8", "1.6"},
                        {"0.0", "4.6"},   {"2.0", "3.4"}};
    QTest::newRow("two-sample t") << 0 << sleep << QStringList{} << "Cohen's d";
    QTest::newRow("paired t") << 1 << sleep << QStringList{} << "";
    QTest::newRow("correlation") << 2
                                 << Rows{{"1", "2"}, {"2", "4"}, {"3", "5"}, {"4", "4"}, {"5", "5"}}
                                 << QStringList{} << "";
    QTest::newRow("chi-square") << 3 << Rows{} << QStringList{"20", "10", "15", "25"} << "OR";
    QTest::newRow("paired chi-square")
        << 4 << Rows{} << QStringList{"25", "8", "16", "31"} << "OR(配对)";
  }
  void everyPlaceShowsTheSameFigures() {
    QFETCH(int, analysis);
    QFETCH(Rows, rows);
    QFETCH(QStringList, cells);
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

    // Every figure copied stands in the report too.
    QStringList copied;
    bool effectCopied = effect.isEmpty();
    for (const QString& line : lines.mid(1)) {
      const QStringList parts = line.split('\t');
      QCOMPARE(parts.size(), 2);
      copied << parts[1];
      if (parts[1].isEmpty() || parts[0] == QStringLiteral("结论")) continue;
      QVERIFY2(report.contains(parts[1]), qPrintable(line));
      effectCopied = effectCopied || parts[0] == effect;
    }
    QVERIFY2(effectCopied, qPrintable(lines.join(QLatin1Char('|'))));
    // Every figure the panel shows, in a box or a label that reads a figure
    // out, is one of those copied.
    int figures = 0;
    const QWidget* panel = w.Find(QStringLiteral("Frame4(%1)").arg(analysis));
    QStringList shown;
    for (const QLineEdit* box : panel->findChildren<QLineEdit*>()) {
      if (box->isVisibleTo(panel)) shown << box->text();
    }
    for (const QLabel* label : panel->findChildren<QLabel*>()) {
      if (!label->accessibleName().isEmpty()) shown << label->text();
    }
    for (const QString& figure : shown) {
      if (figure.isEmpty()) continue;
      ++figures;
      QVERIFY2(copied.contains(figure), qPrintable(figure));
    }
    QVERIFY(figures >= 3);
  }
};

SUMVANE_WINDOW_TEST_MAIN(OneResultTest)
#include "test_one_result.moc"
