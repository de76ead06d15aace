// Frame4(3): the chi-square test of the fourfold table: n, the expected count
// of each cell and chi-square, rewritten on every change of a cell.
#pragma once

#include <array>
#include <string>

#include "app/panels/analysis_panel.h"

class QLabel;
class QLineEdit;

namespace sumvane {

class ChiSquarePanel : public AnalysisPanel {
  Q_OBJECT

 public:
  ChiSquarePanel(QWidget* parent, int left, int top);

  void CellsChanged(const FourfoldCells& cells) override;
  QWidgetList TabChain() const override;
  TableQuestion Question() const override;
  std::string ReportHtml(const ReportPictures& pictures) const override;
  PictureFacts Facts(const SampleList* list) const override;

 protected:
  Answer CurrentAnswer() const override;
  QList<Figure> Figures() const override;

 private:
  QLabel* nLabel_ = nullptr;
  // Of a, b, c, d.
  std::array<QLabel*, 4> expectedCounts_{};
  QLineEdit* chiSquareBox_ = nullptr;
  // The cells as last told, which the answer reads too.
  std::array<std::string, 4> cells_;
};

}  // namespace sumvane
