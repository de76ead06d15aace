#include "app/panels/chi_square_panel.h"

#include <QLabel>
#include <QLineEdit>

#include "app/widget_kit.h"
#include "stats/effect_figures.h"

namespace sumvane {

ChiSquarePanel::ChiSquarePanel(QWidget* parent, int left, int top)
    : FourfoldPanel(parent, Analysis::kChiSquare, left, top) {
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
  chiSquareBox_ = MakeChiSquareBox({"Label23", "Label21", "Text15"}, false);
  connect(chiSquareBox_, &QLineEdit::textChanged, this, [this] {
    if (Writing()) return;
    typedChiSquare_ = PanelFigure::Typed(kit::S(chiSquareBox_->text()));
    Recompute();
  });
  MakeAnswerLabels({3360, 150, 2200, 255}, {2520, 390, 3100, 255});
  WatchTyping({chiSquareBox_});
  Recompute();
}

void ChiSquarePanel::CellsChanged(const FourfoldCells& cells) {
  typedChiSquare_.reset();
  FourfoldPanel::CellsChanged(cells);
}

void ChiSquarePanel::Recompute() {
  result_ = AnalyseChiSquare(Table(), typedChiSquare_, CurrentAlpha());
  const ChiSquareResult::Shown& shown = result_.shown;
  kit::WriteLabel(nLabel_, kit::Q(shown.n));
  for (int i = 0; i < 4; ++i) kit::WriteLabel(expectedCounts_[i], kit::Q(shown.expected[i]));
  ShowFigure(chiSquareBox_, shown.chiSquare);
  ShowAnswer();
}

std::string ChiSquarePanel::ReportHtml(const ReportPictures& pictures) const {
  return ChiSquareReport(result_, pictures);
}

QWidgetList ChiSquarePanel::TabChain() const { return {chiSquareBox_}; }

PictureFacts ChiSquarePanel::Facts(const SampleList*) const {
  PictureFacts facts;
  facts.test = ChiSquareFacts(result_.ChiSquare());
  facts.data = TablePictureFacts(Table().cells, {"试验组", "对照组"});
  if (result_.exactAnswers) facts.test.exact = result_.exact;
  if (result_.effects) facts.forests = FourfoldForests(*result_.effects, result_.exactOddsRatio);
  return facts;
}

}  // namespace sumvane
