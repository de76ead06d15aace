// Frame4(3): the chi-square test of the fourfold table: n, the expected count
// of each cell and chi-square, formed again on every change of a cell. A χ²
// typed over the box gives P until a cell changes.
#pragma once

#include <array>

#include "app/panels/fourfold_panel.h"
#include "stats/chi_square.h"

class QLabel;
class QLineEdit;

namespace sumvane {

class ChiSquarePanel : public FourfoldPanel {
  Q_OBJECT

 public:
  ChiSquarePanel(QWidget* parent, int left, int top);

  // Every telling of the cells, Calculate's included, forms χ² from them again.
  void CellsChanged(const FourfoldCells& cells) override;
  QWidgetList TabChain() const override;
  const AnalysisResult& Result() const override { return result_; }
  std::string ReportHtml(const ReportPictures& pictures) const override;
  PictureFacts Facts(const SampleList* list) const override;

 private:
  void Recompute() override;

  QLabel* nLabel_ = nullptr;
  // Of a, b, c, d.
  std::array<QLabel*, 4> expectedCounts_{};
  QLineEdit* chiSquareBox_ = nullptr;
  std::optional<PanelFigure> typedChiSquare_;
  ChiSquareResult result_;
};

}  // namespace sumvane
