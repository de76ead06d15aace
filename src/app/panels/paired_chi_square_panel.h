// Frame4(4): the chi-square of paired counts, from the discordant cells b and
// c of the fourfold table, formed again on every change of a cell.
#pragma once

#include "app/panels/fourfold_panel.h"
#include "stats/paired_chi_square.h"

class QLineEdit;

namespace sumvane {

class PairedChiSquarePanel : public FourfoldPanel {
  Q_OBJECT

 public:
  PairedChiSquarePanel(QWidget* parent, int left, int top);

  QWidgetList TabChain() const override;
  const AnalysisResult& Result() const override { return result_; }
  std::string ReportHtml(const ReportPictures& pictures) const override;
  PictureFacts Facts(const SampleList* list) const override;

 private:
  void Recompute() override;

  QLineEdit* nBox_ = nullptr;
  QLineEdit* chiSquareBox_ = nullptr;
  PairedChiSquareResult result_;
};

}  // namespace sumvane
