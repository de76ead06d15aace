// Frame4(2): linear correlation and regression. The list gives n, r and the
// equation of the regression of group 2 on group 1; n and r, typed or
// computed, give the t of r. r and its t show as many characters as their
// boxes can; the t of the list's r comes from r in full.
#pragma once

#include "app/panels/analysis_panel.h"

class QLabel;
class QLineEdit;

namespace sumvane {

class RegressionPanel : public AnalysisPanel {
  Q_OBJECT

 public:
  RegressionPanel(QWidget* parent, int left, int top);

  void ListChanged(const SampleList& list, std::optional<int> enteredGroup) override;
  QWidgetList TabChain() const override;
  TableQuestion Question() const override;
  std::string ReportHtml(const ReportPictures& pictures) const override;
  PictureFacts Facts(const SampleList* list) const override;

 protected:
  Answer CurrentAnswer() const override;
  QList<Figure> Figures() const override;
  void showEvent(QShowEvent* event) override;

 private:
  void RecalculateTOfR();

  QLineEdit* sizeBox_ = nullptr;
  QLineEdit* rBox_ = nullptr;
  QLineEdit* tBox_ = nullptr;
  QLineEdit* equationBox_ = nullptr;
  QLabel* tCaption_ = nullptr;
  QLabel* rSubscript_ = nullptr;
  bool subscriptSpaced_ = false;
  // The list's groups differ in length, so no pairs could be formed.
  bool unequalGroups_ = false;
  // r in full while the r box shows the list's r; none once n or r is typed.
  std::optional<std::string> listR_;
};

}  // namespace sumvane
