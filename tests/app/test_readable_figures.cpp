// What the window shows can be read whole: every box shows all the characters
// of its longest content, the small table keeps its ν column in view when it
// points at an answer far down or to the right, and the totals of the fourfold
// table stand on the lines of the cells and captions they belong to.
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include "window_test_support.h"

using sumvane::testing::Window;

namespace {

// The widest texts of `length` characters a figure box may hold: digits, a
// sign, an exponent, each digit the widest of the box's face.
QStringList WidestFigures(const QFontMetricsF& metrics, int length) {
  QChar digit = QLatin1Char('0');
  for (QChar c : QStringLiteral("123456789")) {
    if (metrics.horizontalAdvance(c) > metrics.horizontalAdvance(digit)) digit = c;
  }
  QStringList figures;
  for (const QString& sign : {QString(), QStringLiteral("-")}) {
    for (int exponent = 0; exponent <= 3; ++exponent) {
      const qsizetype mantissa = length - sign.size() - (exponent ? exponent + 2 : 0);
      if (mantissa < 1) continue;
      for (const QString& mark : {QStringLiteral("E+"), QStringLiteral("E-")}) {
        figures << sign + QString(mantissa, digit) +
                       (exponent ? mark + QString(exponent, digit) : QString());
        if (!exponent) break;
      }
    }
  }
  return figures;
}

// Whether the box shows all of `text`: the box scrolls a text that does not
// fit to keep the cursor in view, so the end of a text that fits lies as far
// from its start as the text is wide.
bool ShowsWhole(QLineEdit* box, const QString& text) {
  box->setText(text);
  auto cursorX = [box](int position) {
    box->setCursorPosition(position);
    box->grab();  // lays the text out as a paint does
    return box->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
  };
  const int end = cursorX(static_cast<int>(text.size()));
  return end - cursorX(0) == qRound(QFontMetricsF(box->font()).horizontalAdvance(text));
}

}  // namespace

class ReadableFiguresTest : public QObject {
  Q_OBJECT

 private slots:
  void everyBoxShowsItsLongestContent_data() {
    QTest::addColumn<int>("method");
    for (int method = 0; method < 5; ++method)
      QTest::newRow(qPrintable(QString::number(method))) << method;
  }
  void everyBoxShowsItsLongestContent() {
    QFETCH(int, method);
    Window w;
    w.form.ChooseMethod(method);
    // A full list sends the row number to 32768.
    w.form.ListModel()->Assign(std::vector<sumvane::SampleRow>(32767, {"1", "1", "1"}));
    // Boxes without a limit hold r and its t as the panel writes them, a
    // whole number (a count) or the equation of two eight-character
    // coefficients.
    const QHash<QString, int> figures{{"Text8", 7}, {"Text7", 6}};
    const QHash<QString, int> digits{
        {"Text9", 5}, {"Text11(0)", 8}, {"Text11(1)", 8}, {"Text11(2)", 8}, {"Text11(3)", 8}};
    QStringList cut;
    for (QLineEdit* box : w.form.findChildren<QLineEdit*>()) {
      if (!box->isVisible()) continue;
      const QFontMetricsF metrics(box->font());
      QStringList contents;
      if (box->objectName() == QStringLiteral("Text2")) {
        contents = {QStringLiteral("32768")};
      } else if (box->maxLength() < 32767) {
        contents = WidestFigures(metrics, box->maxLength());
      } else if (figures.contains(box->objectName())) {
        contents = WidestFigures(metrics, figures[box->objectName()]);
      } else if (digits.contains(box->objectName())) {
        contents = WidestFigures(metrics, digits[box->objectName()]).first(1);
      } else {
        QCOMPARE(box->objectName(), QStringLiteral("Text10"));
        for (const QString& coefficient : WidestFigures(metrics, 8)) {
          contents << QStringLiteral("Y=%1 + %1X").arg(coefficient);
        }
      }
      for (const QString& text : contents) {
        if (!ShowsWhole(box, text)) cut << box->objectName() + QLatin1Char(' ') + text;
      }
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
  }

  // The regression panel's r and t of r are cut to what their boxes show.
  void correlationFiguresFitTheirBoxes() {
    Window w;
    w.Click("Command1(2)");
    w.Fill({{"1", "10"}, {"2", "8"}, {"3", "7"}, {"4", "3"}});
    w.Click("Command2");
    QCOMPARE(w.Text("Text8"), QStringLiteral("-0.9647"));  // R: -0.964763821237732
    QCOMPARE(w.Text("Text7"), QStringLiteral("5.1854"));   // R: 5.18544972870135
    for (const char* name : {"Text8", "Text7"}) {
      QLineEdit* box = w.Box(name);
      QVERIFY2(ShowsWhole(box, box->text()), name);
    }
  }

  // Pointed at a row far down and cells far right, the small table still
  // shows the row's degrees of freedom where the unscrolled table shows them,
  // and the marked cells beside them.
  void theSmallTableKeepsTheDegreesOfFreedomInView() {
    Window w;
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < 400; ++i)
      rows.push_back({std::to_string(10 + i % 7), std::to_string(i % 5)});
    w.Fill(rows);
    w.Click("Command2");  // ν = 798 reads the row 500; t is past its last column
    auto* table = w.Find<QPlainTextEdit>("Text14");
    QTextBlock block = table->document()->firstBlock();
    while (block.isValid() && !block.text().startsWith(QStringLiteral("500\t")))
      block = block.next();
    QVERIFY(block.isValid());
    auto at = [&](qsizetype column) {
      QTextCursor cursor(block);
      cursor.setPosition(block.position() + static_cast<int>(column));
      return table->cursorRect(cursor);
    };
    const QRect view = table->viewport()->geometry();
    const QRect line = at(0);
    QVERIFY(line.top() >= 0 && line.bottom() < view.height());
    const qsizetype cell = block.text().lastIndexOf(QLatin1Char('\t')) + 1;  // 3.310
    const int scrolled = table->horizontalScrollBar()->value();
    QVERIFY(scrolled > 0);
    // Where the table shows "500" when it is not scrolled.
    const QRect nu(0, line.top(), at(3).left() + scrolled + 2, line.height());
    QVERIFY(at(cell).left() >= nu.right());
    QVERIFY(at(block.text().size()).left() <= view.width());
    const QImage pointed = table->grab(view).toImage().copy(nu);
    // The table itself, unscrolled, without the column that stays in view.
    table->horizontalScrollBar()->setValue(0);
    if (auto* frozen = table->findChild<QWidget*>(QStringLiteral("FrozenColumn"))) frozen->hide();
    QCOMPARE(table->grab(view).toImage().copy(nu), pointed);
  }

  void fourfoldTotalsStandOnTheLinesTheySum() {
    Window w;
    w.Click("Command1(3)");
    auto middle = [&w](const char* name) { return w.Find(name)->geometry().center().y(); };
    QCOMPARE(middle("Label18(2)"), middle("Text11(1)"));
    QCOMPARE(middle("Label18(3)"), middle("Text11(3)"));
    QCOMPARE(middle("Label18(4)"), middle("Label18(0)"));
    QCOMPARE(middle("Label18(4)"), middle("Label17(5)"));  // 合  计
  }
};

SUMVANE_WINDOW_TEST_MAIN(ReadableFiguresTest)
#include "test_readable_figures.moc"
