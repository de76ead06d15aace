// Frame4(2): linear correlation and regression. The list gives n, r and the
// equation of the regression of group 2 on group 1; n and r, typed or
// formed from the list at full precision, give the t of r.
#pragma once

#include "app/panels/analysis_panel.h"
#include "stats/regression.h"

class QLabel;
class QLineEdit;

namespace sumvane {

class RegressionPanel : public AnalysisPanel {
  Q_OBJECT

 public:
  RegressionPanel(QWidget* parent, int left, int top);

  void ListChanged(const SampleList& list, std::optional<int> enteredGroup) override;
  QWidgetList TabChain() const override;
  const AnalysisResult& Result() const override { return result_; }
  std::string ReportHtml(const ReportPictures& pictures) const override;
  PictureFacts Facts(const SampleList* list) const override;
  void PredictAt(std::optional<double> x0) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Typed(QLineEdit* box);
  void Recompute() override;

  QLineEdit* sizeBox_ = nullptr;
  QLineEdit* rBox_ = nullptr;
  QLineEdit* tBox_ = nullptr;
  QLineEdit* equationBox_ = nullptr;
  QLabel* tCaption_ = nullptr;
  QLabel* rSubscript_ = nullptr;
  bool subscriptSpaced_ = false;
  // The X0 typed in the report window, kept across changes of the list.
  std::optional<double> predictX_;
  CorrelationInputs inputs_;
  CorrelationResult result_;
};

}  // namespace sumvane
