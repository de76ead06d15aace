// Skewed data typed into the two-sample, the paired and the correlation panel: the report
// checks normality before the test, works the rank test the textbook turns
// to, and states each effect with its interval; the verdict hints at the
// doubt and 复制结果 carries the same figures. The figures themselves are
// checked against R in the engine's tests; here, that they reach the window.
#include <QAction>
#include <QClipboard>
#include <QTextBrowser>

#include "window_test_support.h"

using sumvane::testing::Window;

namespace {

QString Shown(Window& w) {
  QCoreApplication::processEvents();
  return w.Find<QTextBrowser>("ReportText")->toPlainText();
}

void ExpectInOrder(const QString& text, const QStringList& parts) {
  qsizetype from = 0;
  for (const QString& part : parts) {
    const qsizetype found = text.indexOf(part, from);
    QVERIFY2(found >= 0, qPrintable(QStringLiteral("missing, or out of order: ") + part));
    from = found + part.size();
  }
}

void TypePairs(Window& w, const QStringList& x, const QStringList& y) {
  for (const QString& value : x) w.Enter(value);
  w.Click("Option2");
  for (const QString& value : y) w.Enter(value);
}

QString CopiedResults(Window& w) {
  w.Find<QAction>("复制结果")->trigger();
  return QApplication::clipboard()->text();
}

}  // namespace

class ChecksAndEffectsTest : public QObject {
  Q_OBJECT

 private slots:
  // Hospital stays of two groups. R: shapiro.test W 0.65258 P 0.000396 and
  // W 0.96566 P 0.8619; Levene by anova(lm(abs(x - median) ~ g)) F 1.6026
  // P 0.22484; wilcox.test W 24.5 P 0.28476 (rank sums 69.5 and 83.5);
  // var.test P 7.96e-5, so t′ answers: t.test P 0.41217.
  void twoSampleSkewedGroup() {
    Window w;
    QTest::keyClick(&w.form, Qt::Key_R, Qt::ControlModifier);
    TypePairs(w, {"1", "1", "2", "2", "3", "3", "4", "21", "30"},
              {"2", "3", "3", "4", "5", "5", "6", "7"});
    QCOMPARE(w.Text("Verdict(0)"),
             QStringLiteral("按α=0.05水准，差异无统计学意义（正态性存疑，见计算过程）"));
    ExpectInOrder(Shown(w), {"一、资料", "前提条件", "W=0.6526", "P=0.0004", "W=0.9657", "P=0.8619",
                             "第1组数据不服从正态分布", "宜改用Wilcoxon秩和检验", "Levene",
                             "F=1.603", "P=0.2248", "二、", "t′检验P=0.4122", "Wilcoxon秩和检验",
                             "R1 = 69.5", "R2 = 83.5", "T = 83.5", "= 24.5", "P=0.2848"});
    QTest::qWait(300);
    ExpectInOrder(CopiedResults(w),
                  {"第1组正态性（Shapiro-Wilk）W\t0.6526", "方差齐性（Levene）P\tP=0.2248",
                   "Wilcoxon秩和检验T\t83.5", "Wilcoxon秩和检验P\tP=0.2848", "结论\t"});
  }

  // Hospital stays against a second measurement: the differences are far
  // from normal. R: shapiro.test W 0.60274 P 0.000103; wilcox.test(paired)
  // V 17 P 0.5461; t.test(paired) interval -4.197758 to 9.531092.
  void pairedSkewedDifferences() {
    Window w;
    w.Click("Command1(1)");
    QTest::keyClick(&w.form, Qt::Key_R, Qt::ControlModifier);
    TypePairs(w, {"1", "1", "2", "2", "3", "3", "4", "21", "30"},
              {"2", "3", "3", "4", "5", "5", "6", "7", "8"});
    QCOMPARE(w.Text("Verdict(1)"),
             QStringLiteral("按α=0.05水准，差异无统计学意义（正态性存疑，见计算过程）"));
    ExpectInOrder(Shown(w), {"一、资料", "前提条件", "W=0.6027", "P=0.0001",
                             "宜改用Wilcoxon符号秩检验", "二、", "四、", "效应大小及其可信区间",
                             "95%可信区间：(-4.198, 9.531)（t分布法）", "Cohen's d",
                             "95%可信区间：(-0.3791, 0.9589)（非中心t分布）", "Wilcoxon符号秩检验",
                             "T+ = 17", "P=0.5461"});
    // The Q–Q picture of the differences joins the report once typing pauses.
    QTest::qWait(300);
    QVERIFY(Shown(w).contains(QStringLiteral("共9个差值")));
    ExpectInOrder(CopiedResults(w), {"差值均数95%可信区间\t(-4.198, 9.531)", "Cohen's d\t0.2986",
                                     "Wilcoxon符号秩检验T+\t17", "Wilcoxon符号秩检验T-\t28",
                                     "Wilcoxon符号秩检验P\tP=0.5461", "结论\t"});
  }

  // One outlying Y: the residuals are far from normal. R: shapiro.test of
  // resid(lm) W 0.71647 P 0.00122; confint slope 0.2230014 to 2.350425;
  // predict at 15: 17.98368, (9.201347, 26.76602), (2.526274, 33.44109);
  // cor.test(method = "spearman", exact = FALSE) rho 0.9877114.
  void correlationSkewedResiduals() {
    Window w;
    w.Click("Command1(2)");
    QTest::keyClick(&w.form, Qt::Key_R, Qt::ControlModifier);
    TypePairs(w, {"2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"},
              {"3", "4", "4", "5", "6", "6", "7", "8", "8", "9", "30", "10"});
    QCOMPARE(w.Text("Verdict(2)"),
             QStringLiteral("按α=0.05水准，相关有统计学意义（正态性存疑，见计算过程）"));
    auto* predict = w.Find<QLineEdit>("PredictX");
    QVERIFY(predict->isVisible());
    predict->setFocus();
    QTest::keyClicks(predict, "15");
    ExpectInOrder(
        Shown(w),
        {"前提条件", "W=0.7165", "P=0.0012", "宜改用Spearman秩相关", "二、", "效应大小及其可信区间",
         "r2 = ", "0.4208", "95%可信区间：(0.223, 2.35)（t分布法）", "回归的方差分析",
         "Ŷ = a + bX0 = 17.98", "95%可信区间：(9.201, 26.77)", "95%预测区间：(2.526, 33.44)",
         "Spearman秩相关", "= 0.9877", "P<0.0001"});
    ExpectInOrder(CopiedResults(w), {"r²\t0.4208", "b的95%可信区间\t(0.223, 2.35)",
                                     "个体Y值的95%预测区间\t(2.526, 33.44)"});
    // The box asks nothing of the other analyses.
    w.Click("Command1(1)");
    QTRY_VERIFY(!predict->isVisible());
  }
};

SUMVANE_WINDOW_TEST_MAIN(ChecksAndEffectsTest)
#include "test_checks_and_effects.moc"
