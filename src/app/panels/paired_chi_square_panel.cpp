#include "app/panels/paired_chi_square_panel.h"

#include <QLabel>
#include <QLineEdit>

#include "app/widget_kit.h"
#include "report/table_words.h"

namespace sumvane {

PairedChiSquarePanel::PairedChiSquarePanel(QWidget* parent, int left, int top)
    : FourfoldPanel(parent, Analysis::kPairedChiSquare, left, top) {
  kit::MakeLabel(this, {.name = QStringLiteral("Label26"),
                        .caption = QStringLiteral("n ="),
                        .colour = kit::kRed,
                        .place = {660, 660},
                        .pointSize = 18});
  nBox_ = kit::MakeBox(this, {.name = QStringLiteral("Text13"),
                              .place = {1320, 720, 1035, 315},
                              .look = kit::kResult,
                              .maxLength = 6,
                              .readOnly = true,
                              .pointSize = 14.25,
                              .spokenName = QStringLiteral("n =")});
  chiSquareBox_ = MakeChiSquareBox({"Label27", "Label28", "Text12"}, true);
  MakeAnswerLabels({3360, 1140, 2200, 255}, {660, 1410, 4900, 255});
  Recompute();
}

void PairedChiSquarePanel::Recompute() {
  result_ = AnalysePairedChiSquare(Table(), CurrentAlpha());
  ShowFigure(nBox_, result_.shown.n);
  ShowFigure(chiSquareBox_, result_.shown.chiSquare);
  ShowAnswer();
}

std::string PairedChiSquarePanel::ReportHtml(const ReportPictures& pictures) const {
  return PairedChiSquareReport(result_, pictures);
}

QWidgetList PairedChiSquarePanel::TabChain() const { return {nBox_, chiSquareBox_}; }

PictureFacts PairedChiSquarePanel::Facts(const SampleList*) const {
  PictureFacts facts;
  facts.test = ChiSquareFacts(result_.formula.chiSquare);
  // The table's own words: its rows after treatment, its columns before.
  facts.data = PairedTablePictureFacts(
      Table().cells, {std::string(kPairedTable.rows), std::string(kPairedTable.columns)},
      std::string(kPairedTable.positive));
  return facts;
}

}  // namespace sumvane
