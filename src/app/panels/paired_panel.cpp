#include "app/panels/paired_panel.h"

#include <QLabel>
#include <QLineEdit>

#include "app/widget_kit.h"
#include "entry/sample_list.h"
#include "report/reports.h"

namespace sumvane {

using kit::S;

PairedPanel::PairedPanel(QWidget* parent, int left, int top)
    : AnalysisPanel(parent, Analysis::kPaired, left, top) {
  kit::MakeLabel(this, {.name = QStringLiteral("Label13(0)"),
                        .caption = QStringLiteral("对子数(N)="),
                        .place = {240, 420}});
  kit::MakeLabel(this, {.name = QStringLiteral("Label13(1)"),
                        .caption = QStringLiteral("对子差值均数(d)="),
                        .place = {240, 780}});
  kit::MakeLabel(this, {.name = QStringLiteral("Label13(2)"),
                        .caption = QStringLiteral("对子差值均数标准差(Sd)="),
                        .place = {240, 1140}});
  kit::MakeLabel(this, {.name = QStringLiteral("Label14"),
                        .caption = QStringLiteral("t="),
                        .colour = kit::kRed,
                        .place = {3780, 720, 495, 315},
                        .pointSize = 18});
  auto typed = [this](const char* name, kit::Twips place, const QString& spoken) {
    return kit::MakeBox(this, {.name = QLatin1String(name),
                               .place = place,
                               .look = kit::kTypedFigure,
                               .maxLength = 6,
                               .spokenName = spoken});
  };
  pairsBox_ = typed("Text5(0)", {1260, 420, 1095, 270}, QStringLiteral("对子数(N)="));
  meanDifferenceBox_ =
      typed("Text5(1)", {1800, 780, 1095, 270}, QStringLiteral("对子差值均数(d)="));
  sdDifferenceBox_ =
      typed("Text5(2)", {2400, 1140, 1095, 270}, QStringLiteral("对子差值均数标准差(Sd)="));
  standardErrorBox_ = typed("Text5(3)", {360, 1380, 1095, 270}, QStringLiteral("标准误"));
  standardErrorBox_->hide();
  tBox_ = kit::MakeBox(this, {.name = QStringLiteral("Text6"),
                              .place = {4200, 780, 1095, 315},
                              .look = kit::kResult,
                              .maxLength = 6,
                              .pointSize = 14.25,
                              .spokenName = QStringLiteral("t=")});
  for (QLineEdit* box : {pairsBox_, meanDifferenceBox_, sdDifferenceBox_, tBox_}) {
    connect(box, &QLineEdit::textChanged, this, [this, box] { Typed(box); });
  }
  MakeAnswerLabels({3780, 1170, 1800, 255}, {240, 1440, 5300, 255});
  WatchTyping({pairsBox_, meanDifferenceBox_, sdDifferenceBox_, tBox_});
  Recompute();
}

void PairedPanel::Typed(QLineEdit* box) {
  if (Writing()) return;
  // Figures typed by hand no longer describe the list.
  inputs_.unequalGroups = false;
  inputs_.differences.clear();
  const PanelFigure typed = PanelFigure::Typed(S(box->text()));
  if (box == pairsBox_) inputs_.n = typed;
  if (box == meanDifferenceBox_) inputs_.meanDifference = typed;
  if (box == sdDifferenceBox_) inputs_.sdDifference = typed;
  // A t typed over the result stands until another figure changes.
  inputs_.t = box == tBox_ ? typed : PanelFigure();
  Recompute();
}

void PairedPanel::Recompute() {
  result_ = AnalysePaired(inputs_, CurrentAlpha());
  const PairedResult::Shown& shown = result_.shown;
  ShowFigure(pairsBox_, shown.n);
  ShowFigure(meanDifferenceBox_, shown.meanDifference);
  ShowFigure(sdDifferenceBox_, shown.sdDifference);
  ShowFigure(standardErrorBox_, shown.standardError);
  ShowFigure(tBox_, shown.t);
  ShowAnswer();
}

// Pairs need two groups of one length; with no data the panel empties.
void PairedPanel::ListChanged(const SampleList& list, std::optional<int>) {
  const int n1 = list.FilledCount(1);
  const int n2 = list.FilledCount(2);
  inputs_ = n1 == 0 && n2 == 0 ? PairedInputs{}
                               : PairsOfList(list.Observations(1, n1), list.Observations(2, n2));
  Recompute();
}

std::string PairedPanel::ReportHtml(const ReportPictures& pictures) const {
  return PairedReport(result_, pictures);
}

QWidgetList PairedPanel::TabChain() const {
  return {pairsBox_, meanDifferenceBox_, sdDifferenceBox_, tBox_};
}

PictureFacts PairedPanel::Facts(const SampleList* list) const {
  PictureFacts facts;
  facts.test = ShownTest(TestFacts::Law::kT, result_.t, result_.degrees);
  if (list && !inputs_.unequalGroups && TakePairs(*list, facts.data)) {
    facts.data.kind = DataFacts::Kind::kDifferences;
  }
  if (result_.checks) facts.qq.push_back({"差值", result_.checks->qq});
  return facts;
}

}  // namespace sumvane
