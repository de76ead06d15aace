// What the two chi-square panels share: the fourfold table as last told,
// their result formed again on every change of a cell or of α, and χ² shown
// in a box beside a red "x =" with a small "2".
#pragma once

#include <optional>

#include "app/panels/analysis_panel.h"
#include "stats/fourfold.h"

class QLineEdit;

namespace sumvane {

class FourfoldPanel : public AnalysisPanel {
  Q_OBJECT

 public:
  void CellsChanged(const FourfoldCells& cells) override;

 protected:
  using AnalysisPanel::AnalysisPanel;

  const FourfoldData& Table() const { return table_; }
  // The box of χ² at its place in the panel, with its captions.
  struct ChiSquareNames {
    const char* x;
    const char* two;
    const char* box;
  };
  QLineEdit* MakeChiSquareBox(const ChiSquareNames& names, bool readOnly);
  // The facts of a χ² of 1 degree of freedom, for the pictures.
  TestFacts ChiSquareFacts(std::optional<double> chiSquare) const {
    return ShownTest(TestFacts::Law::kChiSquare, chiSquare, 1.0);
  }

 private:
  FourfoldData table_;
};

}  // namespace sumvane
