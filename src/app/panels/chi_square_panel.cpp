#include "app/panels/chi_square_panel.h"

#include <QLabel>
#include <QLineEdit>

#include "app/widget_kit.h"
#include "stats/fourfold.h"

namespace sumvane {
namespace {

// The labels show their figures in 6 characters.
constexpr int kFigureWidth = 6;

}  // namespace

ChiSquarePanel::ChiSquarePanel(QWidget* parent, int left, int top)
    : AnalysisPanel(parent, Analysis::kChiSquare, left, top) {
  kit::MakeLabel(this, {.name = QStringLiteral("Label19(0)"),
                        .caption = QStringLiteral("例数(n)="),
                        .place = {240, 240}});
  nLabel_ = kit::MakeLabel(
      this,
      {.name = QStringLiteral("Label20(0)"), .colour = kit::kRed, .place = {1080, 240, 975, 195}});
  kit::SetSpokenCaption(nLabel_, QStringLiteral("例数(n)="));
  const char* captions[4] = {
      "a 的理论数(T)=", "b 的理论数(T)=", "c 的理论数(T)=", "d 的理论数(T)="};
  for (int i = 0; i < 4; ++i) {
    const int top = 240 + 300 * (i + 1);
    const QString caption = QString::fromUtf8(captions[i]);
    kit::MakeLabel(
        this, {.name = kit::Indexed("Label19", i + 1), .caption = caption, .place = {240, top}});
    expectedCounts_[i] = kit::MakeLabel(this, {.name = kit::Indexed("Label20", i + 1),
                                               .colour = kit::kRed,
                                               .place = {1620, top, 720, 195}});
    kit::SetSpokenCaption(expectedCounts_[i], caption);
  }
  kit::MakeLabel(this, {.name = QStringLiteral("Label19(5)"),
                        .caption = QStringLiteral("当n<40或T<1时，不适合使用本法。"),
                        .colour = kit::kNoteOnBlack,
                        .place = {2760, 1440, 2835, 195}});
  kit::MakeLabel(this, {.name = QStringLiteral("Label23"),
                        .caption = QStringLiteral("x ="),
                        .colour = kit::kRed,
                        .place = {3360, 660},
                        .pointSize = 18});
  kit::MakeLabel(this, {.name = QStringLiteral("Label21"),
                        .caption = QStringLiteral("2"),
                        .colour = kit::kRed,
                        .place = {3540, 660},
                        .pointSize = 10.5});
  chiSquareBox_ = kit::MakeBox(this, {.name = QStringLiteral("Text15"),
                                      .place = {4020, 720, 1035, 315},
                                      .look = kit::kResult,
                                      .maxLength = 6,
                                      .pointSize = 14.25,
                                      .spokenName = QStringLiteral("x2 =")});
  MakeAnswerLabels({3360, 150, 2200, 255}, {2520, 390, 3100, 255});
  WatchForAnswer({chiSquareBox_});
}

void ChiSquarePanel::CellsChanged(const FourfoldCells& cells) {
  cells_ = {std::string(cells.a), std::string(cells.b), std::string(cells.c), std::string(cells.d)};
  const FourfoldChiSquare result = ChiSquareOfTable(cells);
  kit::WriteFigure(nLabel_, result.n, kFigureWidth);
  for (int i = 0; i < 4; ++i)
    kit::WriteFigure(expectedCounts_[i], result.expected[i], kFigureWidth);
  kit::WriteBox(chiSquareBox_, result.chiSquare);
  UpdateAnswer();
}

Answer ChiSquarePanel::CurrentAnswer() const {
  return ChiSquareAnswer({cells_[0], cells_[1], cells_[2], cells_[3]},
                         kit::S(chiSquareBox_->text()), CurrentAlpha());
}

std::string ChiSquarePanel::ReportHtml(const ReportPictures& pictures) const {
  const FourfoldCells cells{cells_[0], cells_[1], cells_[2], cells_[3]};
  const FourfoldMargins margins = TableMargins(cells);
  const std::string n = kit::S(nLabel_->text()), chiSquare = kit::S(chiSquareBox_->text());
  std::array<std::string, 4> expected;
  for (int i = 0; i < 4; ++i) expected[i] = kit::S(expectedCounts_[i]->text());
  return ChiSquareReport({.table = {.cells = cells,
                                    .margins = {margins.margins[0], margins.margins[1],
                                                margins.margins[2], margins.margins[3]},
                                    .total = margins.total},
                          .n = n,
                          .expected = {expected[0], expected[1], expected[2], expected[3]},
                          .chiSquare = chiSquare},
                         CurrentAlpha(), pictures);
}

// The exact test needs no table: pointing at χ² would give a second answer.
TableQuestion ChiSquarePanel::Question() const {
  if (CurrentAnswer().source == PSource::kExact) return {CriticalTable::kChiSquare, {}, {}};
  return {CriticalTable::kChiSquare, 1.0, ShownNumber(chiSquareBox_)};
}

QList<AnalysisPanel::Figure> ChiSquarePanel::Figures() const {
  QList<Figure> figures{{QStringLiteral("例数(n)"), nLabel_->text()}};
  for (int i = 0; i < 4; ++i) {
    figures.append({QChar(u'a' + i) + QStringLiteral("的理论数(T)"), expectedCounts_[i]->text()});
  }
  figures.append({QStringLiteral("χ²"), chiSquareBox_->text()});
  return figures;
}

QWidgetList ChiSquarePanel::TabChain() const { return {chiSquareBox_}; }

PictureFacts ChiSquarePanel::Facts(const SampleList*) const {
  const FourfoldCells cells{cells_[0], cells_[1], cells_[2], cells_[3]};
  PictureFacts facts;
  facts.test = ShownTest(TestFacts::Law::kChiSquare, ShownNumber(chiSquareBox_), 1.0);
  facts.data = TablePictureFacts(cells_, {"试验组", "对照组"});
  if (CurrentAnswer().source == PSource::kExact) {
    if (const auto counts = WholeCounts(cells)) facts.test.exact = FisherExactSupport(*counts);
  }
  return facts;
}

}  // namespace sumvane
