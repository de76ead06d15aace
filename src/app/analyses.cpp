#include "app/analyses.h"

#include "app/panels/chi_square_panel.h"
#include "app/panels/paired_chi_square_panel.h"
#include "app/panels/paired_panel.h"
#include "app/panels/regression_panel.h"
#include "app/panels/two_sample_panel.h"

namespace sumvane {

const std::array<AnalysisDescription, kAnalysisCount>& Analyses() {
  static const std::array<AnalysisDescription, kAnalysisCount> analyses = {{
      {Analysis::kTwoSample, QStringLiteral("两样本均数差别T检验"), CriticalTable::kT,
       InputMode::kList, PanelHost::kPictureBox,
       [](QWidget* host) -> AnalysisPanel* { return new TwoSamplePanel(host, 75, 0); }},
      {Analysis::kPaired, QStringLiteral("配对计量资料T检验"), CriticalTable::kT, InputMode::kList,
       PanelHost::kPictureBox,
       [](QWidget* host) -> AnalysisPanel* { return new PairedPanel(host, 60, 0); }},
      {Analysis::kRegression, QStringLiteral("直线相关与回归"), CriticalTable::kR, InputMode::kList,
       PanelHost::kPictureBox,
       [](QWidget* host) -> AnalysisPanel* { return new RegressionPanel(host, 60, 0); }},
      {Analysis::kChiSquare, QStringLiteral("计数资料卡方检验"), CriticalTable::kChiSquare,
       InputMode::kFourfoldTable, PanelHost::kPictureBox,
       [](QWidget* host) -> AnalysisPanel* { return new ChiSquarePanel(host, 60, 0); }},
      {Analysis::kPairedChiSquare, QStringLiteral("配对资料卡方检验"), CriticalTable::kChiSquare,
       InputMode::kFourfoldTable, PanelHost::kClient,
       [](QWidget* host) -> AnalysisPanel* { return new PairedChiSquarePanel(host, 2400, 4620); }},
  }};
  return analyses;
}

const AnalysisDescription& Describe(Analysis analysis) { return Analyses()[Number(analysis)]; }

QString Caption(Analysis analysis) { return Describe(analysis).caption; }

bool ReadsFourfoldTable(Analysis analysis) {
  return Describe(analysis).mode == InputMode::kFourfoldTable;
}

}  // namespace sumvane
