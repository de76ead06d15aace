// The report's pictures, checked on what is drawn: where the marks stand on
// the axis, the area of the hatched region, the bars of the exact test, the
// points and the fitted line, the bars of a paired table; and on how they
// are laid out: no text cut, covering a line, a bar or another text, and a
// legend mark of its own for each entry. Expected figures are R's (qt,
// qchisq, fisher.test, lm).
#include <QApplication>
#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QDir>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QTest>
#include <set>
#include <tuple>

#include "app/panels/chi_square_panel.h"
#include "app/panels/paired_chi_square_panel.h"
#include "pictures/data_picture.h"
#include "pictures/forest_picture.h"
#include "pictures/power_curve_picture.h"
#include "pictures/test_picture.h"
#include "stats/fourfold.h"
#include "stats/sample_size_inputs.h"

using namespace sumvane;

Q_DECLARE_METATYPE(TestFacts::Law)
Q_DECLARE_METATYPE(FourfoldCounts)

namespace {

QList<QAbstractSeries*> Named(const Picture& picture, const QString& name) {
  QList<QAbstractSeries*> found;
  for (QAbstractSeries* s : picture.chart->series())
    if (s->objectName() == name) found << s;
  return found;
}

QList<QPointF> Points(QAbstractSeries* series) { return static_cast<QXYSeries*>(series)->points(); }

// The trapezoid area under the upper edge of an area series.
double Area(QAbstractSeries* series) {
  const QList<QPointF> p = Points(static_cast<QAreaSeries*>(series)->upperSeries());
  double area = 0;
  for (qsizetype i = 1; i < p.size(); ++i)
    area += (p[i].x() - p[i - 1].x()) * (p[i].y() + p[i - 1].y()) / 2;
  return area;
}

TestFacts Facts(TestFacts::Law law, std::optional<double> statistic, std::optional<double> degrees,
                double alpha = 0.05, std::optional<double> p = 0.05) {
  TestFacts facts;
  facts.law = law;
  facts.statistic = statistic;
  facts.degrees = degrees;
  facts.alpha = alpha;
  facts.p = p;
  return facts;
}

double Sum(const QBarSet* set) {
  double sum = 0;
  for (qsizetype i = 0; i < set->count(); ++i) sum += set->at(i);
  return sum;
}

// The height of each bar: its sets stacked.
QList<double> BarHeights(QAbstractSeries* series) {
  QList<double> heights;
  for (const QBarSet* set : static_cast<QAbstractBarSeries*>(series)->barSets()) {
    heights.resize(std::max(heights.size(), qsizetype{set->count()}));
    for (int i = 0; i < set->count(); ++i) heights[i] += set->at(i);
  }
  return heights;
}

// The texts Qt Charts cut to fit (titles, axis labels, legend) once drawn.
QStringList CutTexts(const Picture& picture) {
  Draw(picture);
  QStringList cut;
  QList<QGraphicsItem*> items = picture.chart->childItems();
  while (!items.isEmpty()) {
    QGraphicsItem* item = items.takeLast();
    items << item->childItems();
    const auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item);
    if (text && text->isVisible() && text->toPlainText().contains(QLatin1String("...")))
      cut << text->toPlainText();
  }
  return cut;
}

// Where a text of the chart (a title, a label) stands in the picture.
QRectF TextBox(const Picture& picture, const QString& text) {
  QList<QGraphicsItem*> items = picture.chart->childItems();
  while (!items.isEmpty()) {
    QGraphicsItem* item = items.takeLast();
    items << item->childItems();
    const auto* shown = qgraphicsitem_cast<QGraphicsTextItem*>(item);
    if (shown && shown->isVisible() && shown->toPlainText() == text)
      return picture.chart->mapFromItem(item, item->boundingRect()).boundingRect();
  }
  return {};
}

// What is wrong with where the texts went: one left out, out of the plot,
// over a line or bar kept clear, or over another text.
QString Misplaced(const Picture& picture) {
  const DrawnPicture drawn = Draw(picture);
  const auto& boxes = drawn.textBoxes;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const QString text = picture.texts[i].text;
    if (boxes[i].isEmpty()) return text + QStringLiteral(" left out");
    if (!drawn.plotArea.contains(boxes[i])) return text + QStringLiteral(" out of the plot");
    for (const QRectF& line : drawn.keptClear)
      if (boxes[i].intersects(line)) return text + " over a line or bar";
    for (std::size_t j = 0; j < i; ++j)
      if (boxes[i].intersects(boxes[j])) return text + " over " + picture.texts[j].text;
  }
  return {};
}

// The paired table's facts as its panel gives them.
DataFacts PairedTable(const std::array<std::string, 4>& cells) {
  QWidget host;
  PairedChiSquarePanel panel(&host, 0, 0);
  panel.CellsChanged({cells[0], cells[1], cells[2], cells[3]});
  return panel.Facts(nullptr).data;
}

}  // namespace

class PicturesTest : public QObject {
  Q_OBJECT

 private slots:
  void densityMarksAndRejectionArea_data() {
    QTest::addColumn<TestFacts::Law>("law");
    QTest::addColumn<double>("statistic");
    QTest::addColumn<double>("degrees");
    QTest::addColumn<double>("alpha");
    QTest::addColumn<double>("critical");  // qt(1 - α/2, ν), qchisq(1 - α, 1)
    QTest::newRow("t, ν=20, α=0.05") << TestFacts::Law::kT << 2.116 << 20.0 << 0.05 << 2.085963447;
    QTest::newRow("t below 0, ν=9, α=0.01")
        << TestFacts::Law::kT << -1.2 << 9.0 << 0.01 << 3.249835542;
    QTest::newRow("χ², α=0.05") << TestFacts::Law::kChiSquare << 3.0625 << 1.0 << 0.05
                                << 3.841458821;
    QTest::newRow("χ², α=0.01") << TestFacts::Law::kChiSquare << 9.5 << 1.0 << 0.01 << 6.634896601;
    // Where the density of χ² with ν = 1 has no bound: b = c in a paired table.
    QTest::newRow("χ² = 0") << TestFacts::Law::kChiSquare << 0.0 << 1.0 << 0.05 << 3.841458821;
  }
  void densityMarksAndRejectionArea() {
    QFETCH(TestFacts::Law, law);
    QFETCH(double, statistic);
    QFETCH(double, degrees);
    QFETCH(double, alpha);
    QFETCH(double, critical);
    const bool t = law == TestFacts::Law::kT;
    const Picture picture = TestPicture(Facts(law, statistic, degrees, alpha));
    QVERIFY(picture.chart);

    const auto criticals = Named(picture, "critical");
    QCOMPARE(criticals.size(), t ? 2 : 1);
    for (QAbstractSeries* line : criticals)
      for (const QPointF& p : Points(line)) QVERIFY(qAbs(qAbs(p.x()) - critical) < 1e-6);
    const auto marked = Named(picture, "statistic");
    QCOMPARE(marked.size(), 1);
    for (const QPointF& p : Points(marked[0])) QCOMPARE(p.x(), qAbs(statistic));

    double area = 0;
    for (QAbstractSeries* region : Named(picture, "rejection")) area += Area(region);
    QVERIFY2(qAbs(area - alpha) < 1e-3, qPrintable(QString::number(area)));
  }

  void exactBarsSumToOneAndShadedToP_data() {
    QTest::addColumn<FourfoldCounts>("counts");
    QTest::addColumn<double>("p");  // fisher.test(matrix(c(a, c, b, d), 2))$p.value
    QTest::newRow("3 8 / 7 2") << FourfoldCounts{3, 8, 7, 2} << 0.06977851869;
    QTest::newRow("1 11 / 9 3") << FourfoldCounts{1, 11, 9, 3} << 0.002759456185;
  }
  void exactBarsSumToOneAndShadedToP() {
    QFETCH(FourfoldCounts, counts);
    QFETCH(double, p);
    TestFacts facts = Facts(TestFacts::Law::kChiSquare, 1.0, 1.0, 0.05, p);
    facts.exact = FisherExactSupport(counts);
    const Picture picture = TestPicture(facts);
    QVERIFY(picture.chart);
    const auto bars = Named(picture, "tables");
    QCOMPARE(bars.size(), 1);
    const QList<QBarSet*> sets = static_cast<QStackedBarSeries*>(bars[0])->barSets();
    QCOMPARE(sets.size(), 2);
    QVERIFY(qAbs(Sum(sets[0]) + Sum(sets[1]) - 1.0) < 1e-9);
    QVERIFY(qAbs(Sum(sets[0]) - p) < 1e-9);
    QVERIFY(picture.texts.back().text.contains(QString::number(counts.a)));
  }

  void dotsPerValueOrBoxes_data() {
    QTest::addColumn<int>("n1");
    QTest::addColumn<int>("n2");
    QTest::addColumn<bool>("boxes");
    QTest::newRow("10 and 7") << 10 << 7 << false;
    QTest::newRow("300 and 1") << 300 << 1 << false;
    QTest::newRow("301 and 5") << 301 << 5 << true;
  }
  void dotsPerValueOrBoxes() {
    QFETCH(int, n1);
    QFETCH(int, n2);
    QFETCH(bool, boxes);
    DataFacts facts;
    facts.kind = DataFacts::Kind::kGroups;
    // Few distinct values, so that repeats are spread.
    for (int i = 0; i < n1; ++i) facts.x.push_back(i % 4);
    for (int i = 0; i < n2; ++i) facts.y.push_back(2 + i % 3);
    const Picture picture = DataPicture(facts);
    QVERIFY(picture.chart);
    const auto dots1 = Named(picture, "dots1"), dots2 = Named(picture, "dots2");
    QCOMPARE(Named(picture, "box1").size(), boxes ? 1 : 0);
    QCOMPARE(dots1.size(), boxes ? 0 : 1);
    if (!boxes) {
      QCOMPARE(Points(dots1[0]).size(), n1);
      QCOMPARE(Points(dots2[0]).size(), n2);
      // Every dot keeps its value; repeats only move sideways.
      for (const QPointF& p : Points(dots1[0])) QVERIFY(qAbs(p.x() - 0.9) < 0.4);
    }
  }

  void fittedLinePassesThroughTheMeans() {
    DataFacts facts;
    facts.kind = DataFacts::Kind::kScatter;
    facts.x = {1, 2, 3, 4, 5, 6, 7, 8};
    facts.y = {2.1, 2.9, 4.2, 4.8, 6.3, 6.8, 8.1, 8.7};
    const Picture picture = DataPicture(facts);
    QVERIFY(picture.chart);
    QCOMPARE(picture.dots.size(), std::size_t{1});
    QCOMPARE(picture.dots[0].points.size(), 8);
    QCOMPARE(picture.dots[0].points[7], QPointF(8, 8.7));
    const QList<QPointF> line = Points(Named(picture, "fit")[0]);
    const double slope = (line[1].y() - line[0].y()) / (line[1].x() - line[0].x());
    // lm(y ~ x): slope 0.9702380952; mean(x) = 4.5, mean(y) = 5.4875.
    QVERIFY(qAbs(slope - 0.9702380952) < 1e-9);
    QVERIFY(qAbs(line[0].y() + slope * (4.5 - line[0].x()) - 5.4875) < 1e-9);
  }

  void aLineSaysWhyNoPicture_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("no statistic") << 0;
    QTest::newRow("no degrees of freedom") << 1;
    QTest::newRow("one group empty") << 2;
    QTest::newRow("every X alike") << 3;
    QTest::newRow("a negative count") << 4;
    QTest::newRow("no list data") << 5;
    QTest::newRow("a negative χ²") << 6;
  }
  void aLineSaysWhyNoPicture() {
    QFETCH(int, which);
    DataFacts data;
    data.x = {1, 1, 1};
    data.y = {2, 3, 4};
    if (which == 2) data.kind = DataFacts::Kind::kGroups, data.y.clear();
    if (which == 3) data.kind = DataFacts::Kind::kScatter;
    if (which == 4) data.kind = DataFacts::Kind::kRowProportions, data.cells = {3, -1, 4, 5};
    const Picture picture = which == 0   ? TestPicture(Facts(TestFacts::Law::kT, std::nullopt, 5.0))
                            : which == 1 ? TestPicture(Facts(TestFacts::Law::kT, 2.0, 0.0))
                            : which == 6 ? TestPicture(Facts(TestFacts::Law::kChiSquare, -2.0, 1.0))
                                         : DataPicture(data);
    QVERIFY(!picture.chart);
    const QString html = QString::fromStdString(PictureHtml(picture));
    QVERIFY(!picture.why.isEmpty());
    QVERIFY(html.contains(picture.why));
    QVERIFY(!html.contains(QStringLiteral("<img")));
  }

  // The paired table's picture compares the two measurements, (a + b) / n
  // against (a + c) / n, which share a and differ by b and c, under the
  // table's own captions. R: rowSums(m)[1] / n, colSums(m)[1] / n.
  void pairedTableShowsBothMeasurements() {
    const Picture picture = DataPicture(PairedTable({"794", "86", "150", "570"}));
    QVERIFY(picture.chart);
    const auto bars = Named(picture, "proportions");
    QCOMPARE(bars.size(), 1);
    const QList<double> heights = BarHeights(bars[0]);
    QCOMPARE(heights.size(), 2);
    QVERIFY(qAbs(heights[0] - 0.55) < 1e-12 && qAbs(heights[1] - 0.59) < 1e-12);
    auto* axis = static_cast<QBarCategoryAxis*>(picture.chart->axes(Qt::Horizontal)[0]);
    QCOMPARE(axis->categories(), QStringList({"治疗后（+）", "治疗前（+）"}));
    QStringList texts;
    for (const PlotText& text : picture.texts) texts << text.text;
    QVERIFY2(texts.contains("b=86") && texts.contains("c=150"), qPrintable(texts.join(' ')));
  }

  // Texts Qt Charts would cut, at the largest counts and every caption.
  void noTextIsCut_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("paired, typical") << 0;
    QTest::newRow("paired, 32,767") << 1;
    QTest::newRow("fourfold, 32,767") << 2;
    QTest::newRow("exact, 27 tables") << 3;
    QTest::newRow("exact, n = 32,767") << 4;
  }
  void noTextIsCut() {
    QFETCH(int, which);
    TestFacts exact = Facts(TestFacts::Law::kChiSquare, 1.0, 1.0);
    exact.exact = FisherExactSupport(which == 3 ? FourfoldCounts{30, 10, 10, 30}
                                                : FourfoldCounts{8000, 8383, 8192, 8192});
    const Picture picture =
        which == 0   ? DataPicture(PairedTable({"794", "86", "150", "570"}))
        : which == 1 ? DataPicture(PairedTable({"16383", "16383", "0", "1"}))
        : which == 2
            ? DataPicture(TablePictureFacts({"16383", "1", "16383", "0"}, {"试验组", "对照组"}))
            : TestPicture(exact);
    QVERIFY(picture.chart);
    const QStringList cut = CutTexts(picture);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(" | ")));
    if (which >= 3) {
      // The axis title under the plot, not in a corner.
      const QRectF title = TextBox(picture, QStringLiteral("a 格频数"));
      QVERIFY(title.top() >= picture.chart->plotArea().bottom());
    }
  }

  // Every text finds a place clear of the lines, the bars and the other
  // texts, the statistic anywhere from 0 to far out, on either side.
  void textsKeepClear_data() {
    QTest::addColumn<int>("law");  // 0 t, 1 χ², 2 exact, 3 paired table, 4 power curve
    QTest::addColumn<double>("degrees");
    QTest::addColumn<double>("statistic");  // for the tables, the first count
    for (const double nu : {1.0, 5.0, 20.0, 1000.0}) {
      for (const double s :
           {0.0, 0.5, 1.9, 2.0, 2.1, 2.3, 3.0, 3.9, 4.1, 6.6, 6.7, 12.8, 13.0, 40.0, 1e6}) {
        QTest::addRow("t, ν=%g, %g", nu, s) << 0 << nu << -s;
        QTest::addRow("χ², ν=%g, %g", nu, s) << 1 << nu << s * nu;
      }
    }
    for (const double a : {0.0, 3.0, 12.0, 30.0, 8000.0})
      QTest::addRow("exact, a=%g", a) << 2 << 1.0 << a;
    for (const double a : {0.0, 1.0, 50.0, 794.0, 32767.0})
      QTest::addRow("paired, a=%g", a) << 3 << 1.0 << a;
    // The power curve: two means (δ = 1, σ = 2) or correlation (ρ = 0.5), the
    // size marked at the answer (0), at the smallest or far past it.
    for (const double design : {0.0, 4.0}) {
      for (const double n : {0.0, 4.0, 30.0, 200.0, 5000.0})
        QTest::addRow("power curve, design %g, n=%g", design, n) << 4 << design << n;
    }
  }
  void textsKeepClear() {
    QFETCH(int, law);
    QFETCH(double, degrees);
    QFETCH(double, statistic);
    Picture picture;
    if (law < 2) {
      picture = TestPicture(Facts(law == 0 ? TestFacts::Law::kT : TestFacts::Law::kChiSquare,
                                  statistic, degrees, 0.05, 0.04996));
    } else if (law == 2) {
      const int a = static_cast<int>(statistic);
      TestFacts facts = Facts(TestFacts::Law::kChiSquare, 1.0, 1.0);
      facts.exact = FisherExactSupport(a == 8000 ? FourfoldCounts{a, 8383, 8192, 8192}
                                       : a == 12 ? FourfoldCounts{a, 5, 4, 9}
                                                 : FourfoldCounts{a, 10, 10, 30});
      picture = TestPicture(facts);
    } else if (law == 4) {
      const std::string n = statistic > 0 ? std::to_string(static_cast<int>(statistic)) : "";
      const SampleSizeAnswer answer =
          AnswerSampleSize(StudyDesign(static_cast<int>(degrees)), TestSides::kTwoSided,
                           {"0.05", "0.9", "1", "2", "", "", "0.5", "1", n});
      QVERIFY(answer.plan);
      picture = PowerCurvePicture(*PowerCurveOf(*answer.plan), QStringLiteral("n"));
    } else {
      const std::string a = std::to_string(static_cast<int>(statistic));
      const std::string rest = statistic > 30000 ? "0" : "3";
      picture = DataPicture(PairedTable({a, rest, "0", rest}));
    }
    QVERIFY(picture.chart);
    const QString misplaced = Misplaced(picture);
    QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced));
  }

  // The legend gives each entry a mark of its own: the dashed line for zero,
  // an interval bar for the interval, not two alike squares.
  void legendMarksDiffer() {
    DataFacts facts;
    facts.kind = DataFacts::Kind::kDifferences;
    facts.x = {0.7, -1.6, -0.2, -1.2, -0.1, 3.4};
    facts.y = {1.9, 0.8, 1.1, 0.1, -0.1, 4.4};
    const Picture picture = DataPicture(facts);
    QVERIFY(picture.chart);
    Draw(picture);
    std::set<std::tuple<int, int, int, bool>> looks;
    int visible = 0;
    for (QLegendMarker* marker : picture.chart->legend()->markers()) {
      if (!marker->isVisible()) continue;
      ++visible;
      const auto* series = qobject_cast<QXYSeries*>(marker->series());
      QVERIFY(series);
      const QLegend::MarkerShape shape = marker->shape() == QLegend::MarkerShapeDefault
                                             ? picture.chart->legend()->markerShape()
                                             : marker->shape();
      // Only a mark drawn from its series shows the series' own line or glyph.
      QCOMPARE(shape, QLegend::MarkerShapeFromSeries);
      looks.insert({series->type(), series->pen().style(), series->pen().color().rgb(),
                    !series->lightMarker().isNull()});
    }
    QCOMPARE(visible, 2);
    QCOMPARE(looks.size(), std::size_t{2});
  }

  // One bar per drawable interval, on a log scale about 1 for ratios; an
  // interval a log scale cannot show is left out, and none left says why.
  void forestDrawsEachInterval() {
    ForestFacts ratios{
        "比数比与相对危险度",
        true,
        1.0,
        {{"OR", 5.4, 1.087, 26.83}, {"RR", 2.1, 0.98, 4.5}, {"OR（校正）", 3, 0, 9}}};
    const Picture picture = ForestPicture(ratios);
    QVERIFY(picture.chart);
    QCOMPARE(CutTexts(picture), QStringList());
    int bars = 0;
    for (QAbstractSeries* series : picture.chart->series()) {
      if (series->objectName() == QLatin1String("forest_interval")) ++bars;
      if (series->objectName() == QLatin1String("no_effect"))
        QCOMPARE(static_cast<QXYSeries*>(series)->at(0).x(), 1.0);
    }
    QCOMPARE(bars, 2);
    // Each row is named beside its bar, the last as well as the first, and
    // its figures stand clear of the bars.
    QVERIFY(!TextBox(picture, QStringLiteral("RR")).isEmpty());
    QVERIFY(!TextBox(picture, QStringLiteral("OR")).isEmpty());
    const QString misplaced = Misplaced(picture);
    QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced));
    QVERIFY(!ForestPicture({"率差", false, 0.0, {{"RD", 0.1, 0.3, 0.2}}}).why.isEmpty());
  }

  // The forests of 12, 5 / 4, 9 as its panel gives their facts: the ratios
  // about 1 on a log scale, from OR down to RR, then RD about 0. R: the
  // formulas of Woolf, Katz, the normal approximation and Newcombe;
  // fisher.test's limits with uniroot(tol = 1e-13).
  void fourfoldForestsHoldEachInterval() {
    QWidget host;
    ChiSquarePanel panel(&host, 0, 0);
    panel.CellsChanged({"12", "5", "4", "9"});
    const std::vector<ForestFacts> forests = panel.Facts(nullptr).forests;
    QCOMPARE(forests.size(), std::size_t{2});
    QVERIFY(forests[0].logScale && forests[0].noEffect == 1.0);
    QVERIFY(!forests[1].logScale && forests[1].noEffect == 0.0);
    const double limits[][2] = {{1.119623917, 26.0444597},
                                {0.8958273274, 35.0895610915},
                                {0.9599539459, 5.482529449},
                                {0.06673887709, 0.7296412134},
                                {0.03982731907, 0.6405593875}};
    std::vector<ForestRow> rows = forests[0].rows;
    rows.insert(rows.end(), forests[1].rows.begin(), forests[1].rows.end());
    QCOMPARE(rows.size(), std::size_t{5});
    for (std::size_t i = 0; i < rows.size(); ++i) {
      QVERIFY2(qAbs(rows[i].lower / limits[i][0] - 1) < 1e-8, rows[i].name.c_str());
      QVERIFY2(qAbs(rows[i].upper / limits[i][1] - 1) < 1e-8, rows[i].name.c_str());
    }
    // Each row's name and figures stand whole beside its bar.
    for (const ForestFacts& forest : forests) {
      const QStringList cut = CutTexts(ForestPicture(forest));
      QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('|'))));
    }
  }

  // Rendered at twice the size the report gives it, for 2× screens and paper.
  void embedsAPngAtTwiceItsSize() {
    const std::string html = PictureHtml(TestPicture(Facts(TestFacts::Law::kT, 2.1, 20.0)));
    const std::string head = "data:image/png;base64,";
    const auto from = html.find(head) + head.size();
    QVERIFY(from > head.size());
    const QByteArray png = QByteArray::fromBase64(
        QByteArray::fromStdString(html.substr(from, html.find('"', from) - from)));
    const QImage image = QImage::fromData(png, "PNG");
    QCOMPARE(image.size(), QSize(2 * kPictureWidth, 2 * kPictureHeight));
    QVERIFY(html.find("width=\"" + std::to_string(kPictureWidth) + "\"") != std::string::npos);
  }
};

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  PicturesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_pictures.moc"
