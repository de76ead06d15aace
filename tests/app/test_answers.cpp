// P(m) and Verdict(m) beside each panel's statistic, the choice of α, and the
// critical-value table pointing at the answer. The P values come from R:
// 2 * pt(-|t|, df), pchisq(x, 1, lower.tail = FALSE), fisher.test.
#include <QAction>
#include <QPlainTextEdit>
#include <QTableWidget>

#include "window_test_support.h"

using sumvane::testing::Window;

namespace {

void TypeCells(Window& w, const QStringList& cells) {
  for (int i = 0; i < 4; ++i) w.Type(QStringLiteral("Text11(%1)").arg(i), cells[i]);
}

// The texts the table on show highlights: its row first, then the cells.
QStringList Highlighted(Window& w, const QString& table) {
  QStringList texts;
  for (const auto& mark : w.Find<QPlainTextEdit>(table)->extraSelections()) {
    texts << mark.cursor.selectedText().trimmed();
  }
  return texts;
}

}  // namespace

class AnswersTest : public QObject {
  Q_OBJECT

 private slots:
  void everyPanelAnswers_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QStringList>("inputs");  // boxes, or the four cells
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("two-sample") << 0 << QStringList{"5.2", "4.1", "1.1", "1.3", "10", "12"}
                                << "P=0.0471"
                                << "按α=0.05水准，差异有统计学意义";
    // var.test finds the variances unequal: Welch's t′ answers (t.test).
    QTest::newRow("two-sample, unequal variances")
        << 0 << QStringList{"12", "10", "1", "3", "20", "6"} << "t′检验P=0.1654"
        << "按α=0.05水准，差异无统计学意义";
    QTest::newRow("paired") << 1 << QStringList{"9", "1.2", "1.5"} << "P=0.0432"
                            << "按α=0.05水准，差异有统计学意义";
    QTest::newRow("correlation") << 2 << QStringList{"5", "0.774596669241483"} << "P=0.1240"
                                 << "按α=0.05水准，相关无统计学意义";
    QTest::newRow("fourfold, exact") << 3 << QStringList{"12", "5", "4", "9"} << "确切概率P=0.0634"
                                     << "按α=0.05水准，差异无统计学意义";
    QTest::newRow("fourfold, chi-square") << 3 << QStringList{"20", "10", "15", "25"} << "P=0.0157"
                                          << "按α=0.05水准，差异有统计学意义";
    QTest::newRow("fourfold, corrected")
        << 3 << QStringList{"30", "10", "2", "5"} << "校正χ²检验P=0.0464"
        << "按α=0.05水准，差异有统计学意义";
    QTest::newRow("negative count") << 3 << QStringList{"-3", "10", "5", "9"} << ""
                                    << "频数不能为负";
    QTest::newRow("paired chi-square")
        << 4 << QStringList{"25", "8", "16", "31"} << "校正χ²检验P=0.1530"
        << "按α=0.05水准，差异无统计学意义";
  }
  void everyPanelAnswers() {
    QFETCH(int, method);
    QFETCH(QStringList, inputs);
    QFETCH(QString, p);
    QFETCH(QString, verdict);
    Window w;
    w.Click(QStringLiteral("Command1(%1)").arg(method));
    const QStringList boxes[3] = {
        {"Text3(0)", "Text3(1)", "Text3(2)", "Text3(3)", "Text3(4)", "Text3(5)"},
        {"Text5(0)", "Text5(1)", "Text5(2)"},
        {"Text9", "Text8"}};
    if (method < 3) {
      for (int i = 0; i < inputs.size(); ++i) w.Type(boxes[method][i], inputs[i]);
    } else {
      TypeCells(w, inputs);
    }
    QCOMPARE(w.Text(QStringLiteral("P(%1)").arg(method)), p);
    QCOMPARE(w.Text(QStringLiteral("Verdict(%1)").arg(method)), verdict);
    if (method == 3 && inputs[0].startsWith('-')) {
      QCOMPARE(w.Text("Text15"), QString());
      QCOMPARE(w.Text("Label20(1)"), QString());
    }
  }

  void alphaDecidesTheVerdict() {
    Window w;
    QVERIFY(w.Find<QAction>("Alpha(0)")->isChecked());
    const QStringList inputs{"5.2", "4.1", "1.1", "1.3", "10", "12"};
    for (int i = 0; i < 6; ++i) w.Type(QStringLiteral("Text3(%1)").arg(i), inputs[i]);
    w.Find<QAction>("Alpha(1)")->trigger();
    QCOMPARE(w.Text("Verdict(0)"), QStringLiteral("按α=0.01水准，差异无统计学意义"));
    QCOMPARE(w.Text("P(0)"), QStringLiteral("P=0.0471"));
    // Every panel follows, the hidden ones too.
    w.Click("Command1(3)");
    TypeCells(w, {"40", "10", "8", "42"});
    QCOMPARE(w.Text("Verdict(3)"), QStringLiteral("按α=0.01水准，差异有统计学意义"));
  }

  void unequalGroupsSayWhy() {
    for (const char* method : {"Command1(1)", "Command1(2)"}) {
      Window w;
      w.Click(method);
      w.Fill({{"1", "2"}, {"2", "3"}, {"3", ""}});
      w.Click("Command2");
      const QString m = QString(method).mid(9, 1);
      QCOMPARE(w.Text("Verdict(" + m + ")"), QStringLiteral("两组例数不等"));
      QCOMPARE(w.Text("P(" + m + ")"), QString());
    }
  }

  void typingNOrRDropsTheEquationOfTheList() {
    Window w;
    w.Click("Command1(2)");
    w.Fill({{"1", "2"}, {"2", "4"}, {"3", "5"}, {"4", "4"}, {"5", "5"}});
    w.Click("Command2");
    QCOMPARE(w.Text("Text10"), QStringLiteral("Y=2.2 + 0.6X"));
    w.Type("Text9", "8");
    QCOMPARE(w.Text("Text10"), QString());
  }

  void tableOnShowPointsAtTheAnswer() {
    Window w;
    const QStringList inputs{"5.2", "4.1", "1.1", "1.3", "10", "12"};
    for (int i = 0; i < 6; ++i) w.Type(QStringLiteral("Text3(%1)").arg(i), inputs[i]);
    // t = 2.1160 with 20 degrees of freedom lies between 2.086 (0.05) and 2.528 (0.02).
    const QStringList marks = Highlighted(w, "Text14");
    QCOMPARE(marks.size(), 3);
    QVERIFY(marks[0].startsWith(QStringLiteral("20")));
    QCOMPARE(marks.mid(1), (QStringList{"2.528", "2.086"}));

    // Welch's t′ 1.6064 with ν′ 5.34 answers: row 5, between 1.476 (0.20) and 2.015 (0.10).
    const QStringList unequal{"12", "10", "1", "3", "20", "6"};
    for (int i = 0; i < 6; ++i) w.Type(QStringLiteral("Text3(%1)").arg(i), unequal[i]);
    const QStringList welch = Highlighted(w, "Text14");
    QCOMPARE(welch.size(), 3);
    QVERIFY(welch[0].startsWith(QStringLiteral("5\t")));
    QCOMPARE(welch.mid(1), (QStringList{"2.015", "1.476"}));

    // The exact test answers alone: the chi-square table points at nothing.
    w.Click("Command1(3)");
    TypeCells(w, {"20", "10", "15", "25"});
    QCOMPARE(Highlighted(w, "Text16").size(), 3);
    TypeCells(w, {"12", "5", "4", "9"});
    QCOMPARE(Highlighted(w, "Text16"), QStringList());
    w.Click("Command1(0)");
    for (int i = 0; i < 6; ++i) w.Type(QStringLiteral("Text3(%1)").arg(i), inputs[i]);

    w.Find<QAction>("界值表")->trigger();
    auto* grid = w.Find<QTableWidget>("TableGrid");
    QVERIFY(grid->isVisible());
    QCOMPARE(grid->verticalHeaderItem(19)->text(), QStringLiteral("20"));
    QVERIFY(grid->item(19, 3)->background() != grid->item(19, 0)->background());
    QVERIFY(grid->item(19, 4)->background() == grid->item(19, 3)->background());
    QVERIFY(grid->item(18, 3)->background() == QBrush());
  }
};

SUMVANE_WINDOW_TEST_MAIN(AnswersTest)
#include "test_answers.moc"
