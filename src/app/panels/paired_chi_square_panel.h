// Frame4(4): the chi-square of paired counts, from the discordant cells b and
// c of the fourfold table, rewritten on every change of a cell.
#pragma once

#include <array>
#include <string>

#include "app/panels/analysis_panel.h"

class QLineEdit;

namespace sumvane {

class PairedChiSquarePanel : public AnalysisPanel {
  Q_OBJECT

 public:
  PairedChiSquarePanel(QWidget* parent, int left, int top);

  void CellsChanged(const FourfoldCells& cells) override;
  QWidgetList TabChain() const override;
  TableQuestion Question() const override;
  std::string ReportHtml(const ReportPictures& pictures) const override;
  PictureFacts Facts(const SampleList* list) const override;

 protected:
  Answer CurrentAnswer() const override;
  QList<Figure> Figures() const override;

 private:
  QLineEdit* nBox_ = nullptr;
  QLineEdit* chiSquareBox_ = nullptr;
  // The cells as last told, which the answer reads too.
  std::array<std::string, 4> cells_;
};

}  // namespace sumvane
