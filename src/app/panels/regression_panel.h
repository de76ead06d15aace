// Frame4(2): linear correlation and regression. The list gives n, r and the
// equation of the regression of group 2 on group 1; n and r, typed or
// computed, give the t of r. The r box shows r cut to the eight characters it
// shows whole, and the t of r is formed from r at full precision unless the
// user typed r.
#pragma once

#include <string>

#include "app/panels/analysis_panel.h"

class QLabel;
class QLineEdit;

namespace sumvane {

class RegressionPanel : public AnalysisPanel {
  Q_OBJECT

 public:
  RegressionPanel(QWidget* parent, int left, int top, GroupSizes& sizes);

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
  // r as the list gave it, or as the user typed it.
  std::string RText() const;

  // The characters the r and t boxes show: r's sign, "0." and five decimals.
  static constexpr int kRWidth = 8;
  static constexpr int kTWidth = 6;

  GroupSizes& sizes_;
  QLineEdit* sizeBox_ = nullptr;
  QLineEdit* rBox_ = nullptr;
  QLineEdit* tBox_ = nullptr;
  QLineEdit* equationBox_ = nullptr;
  QLabel* tCaption_ = nullptr;
  QLabel* rSubscript_ = nullptr;
  bool subscriptSpaced_ = false;
  // The list's groups differ in length, so no pairs could be formed.
  bool unequalGroups_ = false;
  // r from the list at full precision; empty once the user types r.
  std::string formedR_;
};

}  // namespace sumvane
