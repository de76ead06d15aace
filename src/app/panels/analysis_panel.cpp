#include "app/panels/analysis_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <cmath>

#include "app/twips.h"
#include "entry/sample_list.h"
#include "stats/number.h"

namespace sumvane {

AnalysisPanel::AnalysisPanel(QWidget* parent, Analysis analysis, int left, int top)
    : QFrame(parent), analysis_(analysis) {
  setObjectName(kit::Indexed("Frame4", Number(analysis)));
  setAutoFillBackground(true);
  kit::SetColours(this, kit::kCaption, kit::kPanelBack);
  PlaceTwips(this, left, top, 5640, 1740);
}

// Most panels read only one of the two sources.
void AnalysisPanel::ListChanged(const SampleList&, std::optional<int>) {}
void AnalysisPanel::CellsChanged(const FourfoldCells&) {}

void AnalysisPanel::TakeList(const SampleList& list, std::optional<int> enteredGroup) {
  followsList_ = true;
  ListChanged(list, enteredGroup);
}

void AnalysisPanel::SetAlpha(Alpha alpha) {
  alpha_ = alpha;
  Recompute();
}

void AnalysisPanel::MakeAnswerLabels(const kit::Twips& pPlace, const kit::Twips& verdictPlace) {
  const int m = Number(analysis_);
  pLabel_ =
      kit::MakeLabel(this, {.name = kit::Indexed("P", m), .colour = kit::kAnswer, .place = pPlace});
  verdictLabel_ = kit::MakeLabel(
      this, {.name = kit::Indexed("Verdict", m), .colour = kit::kAnswer, .place = verdictPlace});
  kit::SetSpokenCaption(verdictLabel_, QStringLiteral("结论 "));
}

void AnalysisPanel::WatchTyping(std::initializer_list<QLineEdit*> boxes) {
  for (QLineEdit* box : boxes) {
    connect(box, &QLineEdit::textEdited, this, [this] { followsList_ = false; });
  }
}

void AnalysisPanel::ShowFigure(QLineEdit* box, const std::string& text) {
  const QString shown = kit::Q(text);
  if (box->text() == shown) return;
  const QScopedValueRollback writing(writing_, true);
  box->setText(shown);
  box->setCursorPosition(0);  // a long figure shows its leading digits
}

void AnalysisPanel::ShowAnswer() {
  const Answer& answer = Result().answer;
  kit::WriteLabel(pLabel_, kit::Q(answer.pText));
  kit::WriteLabel(verdictLabel_, kit::Q(answer.verdict));
  emit FiguresChanged();
}

TestFacts AnalysisPanel::ShownTest(TestFacts::Law law, std::optional<double> statistic,
                                   std::optional<double> degrees) const {
  const Answer& answer = Result().answer;
  TestFacts facts;
  facts.law = law;
  facts.statistic = statistic;
  facts.degrees = degrees;
  if (answer.welch) {
    facts.statistic = std::fabs(answer.welch->t);
    facts.degrees = answer.welch->df;
  }
  facts.alpha = AlphaLevel(alpha_);
  facts.p = answer.p;
  facts.source = answer.source;
  return facts;
}

QString AnalysisPanel::ResultText() const {
  QStringList lines{Caption(analysis_)};
  for (const ShownFigure& figure : Result().figures) {
    lines << kit::Q(figure.caption) + QLatin1Char('\t') + kit::Q(figure.text);
  }
  lines << QStringLiteral("P\t") + pLabel_->text()
        << QStringLiteral("结论\t") + verdictLabel_->text();
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

std::vector<double> ListValues(const SampleList& list, int group, int count) {
  std::vector<double> values;
  for (const Observation& value : list.Observations(group, count)) values.push_back(value.Value());
  return values;
}

bool TakePairs(const SampleList& list, DataFacts& data) {
  const int n = list.FilledCount(1);
  if (n == 0 || list.FilledCount(2) != n) return false;
  data.x = ListValues(list, 1, n);
  data.y = ListValues(list, 2, n);
  return true;
}

}  // namespace sumvane
