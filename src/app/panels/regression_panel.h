// Frame4(2): linear correlation and regression. The list gives n, r and the
// equation of the regression of group 2 on group 1; n and r, typed or
// computed, give the t of r.
#pragma once

#include "app/panels/analysis_panel.h"

class QLineEdit;

namespace sumvane {

class RegressionPanel : public AnalysisPanel {
  Q_OBJECT

 public:
  RegressionPanel(QWidget* parent, int left, int top, GroupSizes& sizes);

  void ListChanged(const SampleList& list, std::optional<int> enteredGroup) override;
  QWidgetList TabChain() const override;

 private:
  void RecalculateTOfR();

  GroupSizes& sizes_;
  QLineEdit* sizeBox_ = nullptr;
  QLineEdit* rBox_ = nullptr;
  QLineEdit* tBox_ = nullptr;
  QLineEdit* equationBox_ = nullptr;
};

}  // namespace sumvane
