#include "app/panels/paired_panel.h"

#include <QLabel>
#include <QLineEdit>

#include "app/widget_kit.h"
#include "entry/sample_list.h"
#include "stats/paired.h"

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
  for (QLineEdit* box : {pairsBox_, meanDifferenceBox_, sdDifferenceBox_, standardErrorBox_}) {
    connect(box, &QLineEdit::textChanged, this, &PairedPanel::Recalculate);
    // Figures typed by hand no longer describe the list.
    connect(box, &QLineEdit::textEdited, this, [this] { unequalGroups_ = false; });
  }
  MakeAnswerLabels({3780, 1170, 1800, 255}, {240, 1440, 5300, 255});
  WatchForAnswer({pairsBox_, meanDifferenceBox_, sdDifferenceBox_, standardErrorBox_, tBox_});
}

void PairedPanel::Recalculate() {
  kit::WriteBox(standardErrorBox_,
                PairedStandardError(S(pairsBox_->text()), S(sdDifferenceBox_->text())));
  kit::WriteBox(tBox_, PairedT(S(meanDifferenceBox_->text()), S(standardErrorBox_->text())));
}

// Pairs need two groups of one length; otherwise, and with no data, the panel
// empties, each emptying recalculating what is left.
void PairedPanel::ListChanged(const SampleList& list, std::optional<int>) {
  const int n1 = list.FilledCount(1);
  const int n2 = list.FilledCount(2);
  unequalGroups_ = n1 != n2;
  if (unequalGroups_ || n1 == 0) {
    for (QLineEdit* box :
         {meanDifferenceBox_, sdDifferenceBox_, standardErrorBox_, pairsBox_, tBox_}) {
      box->clear();
    }
    UpdateAnswer();
    return;
  }
  const PairedSummary summary = SummarisePairs(list.Observations(1, n1), list.Observations(2, n2));
  kit::WriteBox(pairsBox_, summary.n);
  kit::WriteBox(meanDifferenceBox_, summary.meanDifference);
  kit::WriteBox(sdDifferenceBox_, summary.sdDifference);
}

Answer PairedPanel::CurrentAnswer() const {
  if (unequalGroups_) return {.verdict = std::string(kUnequalGroups)};
  return PairedAnswer(S(pairsBox_->text()), S(meanDifferenceBox_->text()),
                      S(sdDifferenceBox_->text()), S(tBox_->text()), CurrentAlpha());
}

std::string PairedPanel::ReportHtml(const ReportPictures& pictures) const {
  const std::string n = S(pairsBox_->text()), d = S(meanDifferenceBox_->text());
  const std::string sd = S(sdDifferenceBox_->text()), se = S(standardErrorBox_->text());
  const std::string t = S(tBox_->text());
  return PairedReport({.n = n,
                       .meanDifference = d,
                       .sdDifference = sd,
                       .standardError = se,
                       .t = t,
                       .unequalGroups = unequalGroups_},
                      CurrentAlpha(), pictures);
}

TableQuestion PairedPanel::Question() const {
  const auto pairs = ShownNumber(pairsBox_);
  return {CriticalTable::kT, pairs ? std::optional<double>(*pairs - 1.0) : std::nullopt,
          ShownNumber(tBox_)};
}

QList<AnalysisPanel::Figure> PairedPanel::Figures() const {
  return {{QStringLiteral("对子数(N)"), pairsBox_->text()},
          {QStringLiteral("对子差值均数(d)"), meanDifferenceBox_->text()},
          {QStringLiteral("对子差值均数标准差(Sd)"), sdDifferenceBox_->text()},
          {QStringLiteral("t"), tBox_->text()}};
}

QWidgetList PairedPanel::TabChain() const {
  return {pairsBox_, meanDifferenceBox_, sdDifferenceBox_, tBox_};
}

PictureFacts PairedPanel::Facts(const SampleList* list) const {
  PictureFacts facts;
  facts.test = ShownTest(TestFacts::Law::kT, ShownNumber(tBox_), Question().degrees);
  if (list && !unequalGroups_ && TakePairs(*list, facts.data)) {
    facts.data.kind = DataFacts::Kind::kDifferences;
  }
  return facts;
}

}  // namespace sumvane
