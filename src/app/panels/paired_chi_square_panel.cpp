#include "app/panels/paired_chi_square_panel.h"

#include <QLabel>
#include <QLineEdit>

#include "app/widget_kit.h"
#include "report/table_words.h"
#include "stats/fourfold.h"

namespace sumvane {

PairedChiSquarePanel::PairedChiSquarePanel(QWidget* parent, int left, int top)
    : AnalysisPanel(parent, Analysis::kPairedChiSquare, left, top) {
  auto caption = [this](const char* name, const QString& text, kit::Twips place, double size) {
    kit::MakeLabel(this, {.name = QLatin1String(name),
                          .caption = text,
                          .colour = kit::kRed,
                          .place = place,
                          .pointSize = size});
  };
  caption("Label26", QStringLiteral("n ="), {660, 660}, 18);
  caption("Label27", QStringLiteral("x ="), {3360, 660}, 18);
  caption("Label28", QStringLiteral("2"), {3540, 660}, 10.5);
  auto result = [this](const char* name, int left, const QString& spoken) {
    return kit::MakeBox(this, {.name = QLatin1String(name),
                               .place = {left, 720, 1035, 315},
                               .look = kit::kResult,
                               .maxLength = 6,
                               .readOnly = true,
                               .pointSize = 14.25,
                               .spokenName = spoken});
  };
  nBox_ = result("Text13", 1320, QStringLiteral("n ="));
  chiSquareBox_ = result("Text12", 4020, QStringLiteral("x2 ="));
  MakeAnswerLabels({3360, 1140, 2200, 255}, {660, 1410, 4900, 255});
  WatchForAnswer({nBox_, chiSquareBox_});
}

void PairedChiSquarePanel::CellsChanged(const FourfoldCells& cells) {
  cells_ = {std::string(cells.a), std::string(cells.b), std::string(cells.c), std::string(cells.d)};
  const PairedChiSquare result = PairedChiSquareOfTable(cells);
  kit::WriteBox(nBox_, result.n);
  kit::WriteBox(chiSquareBox_, result.chiSquare);
  UpdateAnswer();
}

Answer PairedChiSquarePanel::CurrentAnswer() const {
  return PairedChiSquareAnswer({cells_[0], cells_[1], cells_[2], cells_[3]},
                               kit::S(chiSquareBox_->text()), CurrentAlpha());
}

std::string PairedChiSquarePanel::ReportHtml(const ReportPictures& pictures) const {
  const FourfoldCells cells{cells_[0], cells_[1], cells_[2], cells_[3]};
  const FourfoldMargins margins = TableMargins(cells);
  const std::string n = kit::S(nBox_->text()), chiSquare = kit::S(chiSquareBox_->text());
  return PairedChiSquareReport({.table = {.cells = cells,
                                          .margins = {margins.margins[0], margins.margins[1],
                                                      margins.margins[2], margins.margins[3]},
                                          .total = margins.total},
                                .n = n,
                                .chiSquare = chiSquare},
                               CurrentAlpha(), pictures);
}

TableQuestion PairedChiSquarePanel::Question() const {
  return {CriticalTable::kChiSquare, 1.0, ShownNumber(chiSquareBox_)};
}

QList<AnalysisPanel::Figure> PairedChiSquarePanel::Figures() const {
  return {{QStringLiteral("n"), nBox_->text()}, {QStringLiteral("χ²"), chiSquareBox_->text()}};
}

QWidgetList PairedChiSquarePanel::TabChain() const { return {nBox_, chiSquareBox_}; }

PictureFacts PairedChiSquarePanel::Facts(const SampleList*) const {
  PictureFacts facts;
  facts.test = ShownTest(TestFacts::Law::kChiSquare, ShownNumber(chiSquareBox_), 1.0);
  // The table's own words: its rows after treatment, its columns before.
  facts.data = PairedTablePictureFacts(
      cells_, {std::string(kPairedTable.rows), std::string(kPairedTable.columns)},
      std::string(kPairedTable.positive));
  return facts;
}

}  // namespace sumvane
