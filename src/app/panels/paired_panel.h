// Frame4(1): the paired t-test. The number of pairs, the mean difference and
// its standard deviation, typed or formed from the list at full precision,
// give the standard error (in a hidden box) and t.
#pragma once

#include "app/panels/analysis_panel.h"
#include "stats/paired.h"

class QLineEdit;

namespace sumvane {

class PairedPanel : public AnalysisPanel {
  Q_OBJECT

 public:
  PairedPanel(QWidget* parent, int left, int top);

  void ListChanged(const SampleList& list, std::optional<int> enteredGroup) override;
  QWidgetList TabChain() const override;
  const AnalysisResult& Result() const override { return result_; }
  std::string ReportHtml(const ReportPictures& pictures) const override;
  PictureFacts Facts(const SampleList* list) const override;

 private:
  // A box changed: a figure typed is used as typed.
  void Typed(QLineEdit* box);
  void Recompute() override;

  QLineEdit* pairsBox_ = nullptr;
  QLineEdit* meanDifferenceBox_ = nullptr;
  QLineEdit* sdDifferenceBox_ = nullptr;
  // Hidden: the standard error as the report writes it.
  QLineEdit* standardErrorBox_ = nullptr;
  QLineEdit* tBox_ = nullptr;
  PairedInputs inputs_;
  PairedResult result_;
};

}  // namespace sumvane
