// Frame4(0): the two-sample t-test. Each group's mean, standard deviation and
// size, typed or formed from the list at full precision, give the degrees of
// freedom and t with the pooled variance.
#pragma once

#include <array>

#include "app/panels/analysis_panel.h"
#include "stats/two_sample.h"

class QLineEdit;

namespace sumvane {

class TwoSamplePanel : public AnalysisPanel {
  Q_OBJECT

 public:
  TwoSamplePanel(QWidget* parent, int left, int top);

  void ListChanged(const SampleList& list, std::optional<int> enteredGroup) override;
  QWidgetList TabChain() const override;
  const AnalysisResult& Result() const override { return result_; }
  std::string ReportHtml(const ReportPictures& pictures) const override;
  PictureFacts Facts(const SampleList* list) const override;

 private:
  struct Group {
    QLineEdit* mean = nullptr;
    QLineEdit* sd = nullptr;
    QLineEdit* size = nullptr;
  };

  // A box changed: a figure typed is used as typed.
  void Typed(QLineEdit* box);
  void Recompute() override;

  std::array<Group, 2> groups_;
  QLineEdit* degreesBox_ = nullptr;
  QLineEdit* tBox_ = nullptr;
  std::array<GroupInputs, 2> inputs_;
  TwoSampleResult result_;
};

}  // namespace sumvane
