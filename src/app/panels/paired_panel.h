// Frame4(1): the paired t-test. The number of pairs, the mean difference and
// its standard deviation, typed or computed from the list, give the standard
// error in a hidden box and t from the error as that box holds it.
#pragma once

#include "app/panels/analysis_panel.h"

class QLineEdit;

namespace sumvane {

class PairedPanel : public AnalysisPanel {
  Q_OBJECT

 public:
  PairedPanel(QWidget* parent, int left, int top);

  void ListChanged(const SampleList& list, std::optional<int> enteredGroup) override;
  QWidgetList TabChain() const override;
  TableQuestion Question() const override;
  std::string ReportHtml(const ReportPictures& pictures) const override;
  PictureFacts Facts(const SampleList* list) const override;

 protected:
  Answer CurrentAnswer() const override;
  QList<Figure> Figures() const override;

 private:
  void Recalculate();

  QLineEdit* pairsBox_ = nullptr;
  QLineEdit* meanDifferenceBox_ = nullptr;
  QLineEdit* sdDifferenceBox_ = nullptr;
  // Hidden; t is formed from its cut text, as the panel always has.
  QLineEdit* standardErrorBox_ = nullptr;
  QLineEdit* tBox_ = nullptr;
  // The list's groups differ in length, so no pairs could be formed.
  bool unequalGroups_ = false;
};

}  // namespace sumvane
