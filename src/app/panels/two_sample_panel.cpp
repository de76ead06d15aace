#include "app/panels/two_sample_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "app/widget_kit.h"
#include "entry/sample_list.h"
#include "stats/number.h"
#include "stats/two_sample.h"

namespace sumvane {

using kit::S;

namespace {

struct Row {
  const char* label;  // the caption's design name
  int group;
  const char* caption;
  kit::Twips captionPlace;
  const char* box;  // the box's design name
  kit::Twips boxPlace;
};

// Mean, sd and size of each group; the boxes of the two groups alternate in
// their design names.
const Row kRows[6] = {
    {"Label3(0)", 0, "均  数(X1)=", {150, 225}, "Text3(0)", {1200, 240, 1290, 195}},
    {"Label4(0)", 0, "标准差(S1)=", {150, 450}, "Text3(2)", {1200, 450, 1290, 195}},
    {"Label5(0)", 0, "例  数(N1)=", {150, 675}, "Text3(4)", {1200, 675, 1365, 195}},
    {"Label3(1)", 1, "均  数(X2)=", {3105, 240}, "Text3(1)", {4200, 225, 1290, 195}},
    {"Label4(1)", 1, "标准差(S2)=", {3105, 465}, "Text3(3)", {4200, 480, 1290, 195}},
    {"Label5(1)", 1, "例  数(N2)=", {3105, 690}, "Text3(5)", {4200, 675, 1290, 195}},
};

}  // namespace

TwoSamplePanel::TwoSamplePanel(QWidget* parent, int left, int top)
    : AnalysisPanel(parent, Analysis::kTwoSample, left, top) {
  for (const Row& r : kRows) {
    kit::MakeLabel(this, {.name = QLatin1String(r.label),
                          .caption = QString::fromUtf8(r.caption),
                          .place = r.captionPlace});
  }
  kit::MakeLabel(this,
                 {.name = QStringLiteral("Label6(0)"),
                  .caption = QStringLiteral("自由度(N1+N2-2)=") + QString(17, QLatin1Char(' ')),
                  .place = {150, 900}});
  kit::MakeLabel(this, {.name = QStringLiteral("Label10(0)"),
                        .caption = QStringLiteral("t="),
                        .colour = kit::kRed,
                        .place = {120, 1200, 675, 360},
                        .pointSize = 18});
  for (int i = 0; i < 6; ++i) {
    const Row& r = kRows[i];
    QLineEdit* box = kit::MakeBox(this, {.name = QLatin1String(r.box),
                                         .place = r.boxPlace,
                                         .look = kit::kTypedFigure,
                                         .maxLength = 6,
                                         .spokenName = QString::fromUtf8(r.caption)});
    Group& group = groups_[r.group];
    (i % 3 == 0 ? group.mean : i % 3 == 1 ? group.sd : group.size) = box;
  }
  degreesBox_ = kit::MakeBox(this, {.name = QStringLiteral("Text3(6)"),
                                    .place = {1650, 900, 765, 195},
                                    .look = kit::kResult,
                                    .maxLength = 6,
                                    .readOnly = true,
                                    .spokenName = QStringLiteral("自由度(N1+N2-2)=")});
  tBox_ = kit::MakeBox(this, {.name = QStringLiteral("Text3(9)"),
                              .place = {540, 1280, 1290, 300},
                              .look = kit::kResult,
                              .maxLength = 6,
                              .readOnly = true,
                              .pointSize = 12,
                              .spokenName = QStringLiteral("t=")});
  for (QLineEdit* box : {groups_[0].mean, groups_[1].mean, groups_[0].sd, groups_[1].sd,
                         groups_[0].size, groups_[1].size}) {
    connect(box, &QLineEdit::textChanged, this, &TwoSamplePanel::Recalculate);
  }
  MakeAnswerLabels({2040, 1230, 3500, 255}, {2040, 1470, 3500, 255});
  WatchForAnswer({groups_[0].mean, groups_[1].mean, groups_[0].sd, groups_[1].sd, groups_[0].size,
                  groups_[1].size, degreesBox_, tBox_});
}

// The texts of the boxes, kept alive for the views of TwoSampleFigures.
struct TwoSamplePanel::Texts {
  std::string mean1, mean2, sd1, sd2, n1, n2, degrees;
  TwoSampleFigures Figures() const {
    return {.mean1 = mean1,
            .mean2 = mean2,
            .sd1 = sd1,
            .sd2 = sd2,
            .n1 = n1,
            .n2 = n2,
            .degrees = degrees};
  }
};

TwoSamplePanel::Texts TwoSamplePanel::BoxTexts() const {
  return {S(groups_[0].mean->text()), S(groups_[1].mean->text()), S(groups_[0].sd->text()),
          S(groups_[1].sd->text()),   S(groups_[0].size->text()), S(groups_[1].size->text()),
          S(degreesBox_->text())};
}

void TwoSamplePanel::Recalculate() {
  kit::WriteBox(degreesBox_,
                TwoSampleDegrees(S(groups_[0].size->text()), S(groups_[1].size->text())));
  kit::WriteBox(tBox_, TwoSampleT(BoxTexts().Figures()));
}

Answer TwoSamplePanel::CurrentAnswer() const {
  return TwoSampleAnswer(BoxTexts().Figures(), S(tBox_->text()), CurrentAlpha());
}

std::string TwoSamplePanel::ReportHtml(const ReportPictures& pictures) const {
  const Texts texts = BoxTexts();
  const std::string t = S(tBox_->text());
  return TwoSampleReport({.mean1 = texts.mean1,
                          .mean2 = texts.mean2,
                          .sd1 = texts.sd1,
                          .sd2 = texts.sd2,
                          .n1 = texts.n1,
                          .n2 = texts.n2,
                          .degrees = texts.degrees,
                          .t = t},
                         CurrentAlpha(), pictures);
}

// Where Welch's t′ answers, the table points at it, in the row of ν′.
TableQuestion TwoSamplePanel::Question() const {
  if (const auto welch = CurrentAnswer().welch)
    return {CriticalTable::kT, welch->df, std::fabs(welch->t)};
  return {CriticalTable::kT, ShownNumber(degreesBox_), ShownNumber(tBox_)};
}

void TwoSamplePanel::WriteGroup(const SampleList& list, int group) {
  const int n = list.FilledCount(group);
  (group == 1 ? sizes_.n1 : sizes_.n2) = static_cast<std::int16_t>(n);
  const GroupSummary summary = SummariseGroup(list.Observations(group, n));
  const Group& boxes = groups_[group - 1];
  kit::WriteBox(boxes.mean, summary.mean);
  kit::WriteBox(boxes.sd, summary.sd);
  kit::WriteBox(boxes.size, summary.n);
}

// After an Enter only the group entered is computed; the degrees of freedom
// then come from both groups' last known sizes. A list with no data empties
// the panel.
void TwoSamplePanel::ListChanged(const SampleList& list, std::optional<int> enteredGroup) {
  if (list.FilledCount(1) == 0 && list.FilledCount(2) == 0) {
    sizes_.n1 = sizes_.n2 = 0;
    for (const Group& group : groups_) {
      for (QLineEdit* box : {group.mean, group.sd, group.size}) box->clear();
    }
    return;
  }
  if (enteredGroup) {
    WriteGroup(list, *enteredGroup);
  } else {
    WriteGroup(list, 1);
    WriteGroup(list, 2);
  }
  kit::WriteBox(degreesBox_, TwoSampleDegrees(sizes_.n1, sizes_.n2));
}

QList<AnalysisPanel::Figure> TwoSamplePanel::Figures() const {
  return {{QStringLiteral("均数(X1)"), groups_[0].mean->text()},
          {QStringLiteral("标准差(S1)"), groups_[0].sd->text()},
          {QStringLiteral("例数(N1)"), groups_[0].size->text()},
          {QStringLiteral("均数(X2)"), groups_[1].mean->text()},
          {QStringLiteral("标准差(S2)"), groups_[1].sd->text()},
          {QStringLiteral("例数(N2)"), groups_[1].size->text()},
          {QStringLiteral("自由度(N1+N2-2)"), degreesBox_->text()},
          {QStringLiteral("t"), tBox_->text()}};
}

QWidgetList TwoSamplePanel::TabChain() const {
  return {groups_[0].mean, groups_[1].mean, groups_[0].sd, groups_[1].sd,
          groups_[0].size, groups_[1].size, degreesBox_,   tBox_};
}

// The list's values when both groups come from it, else the typed figures.
PictureFacts TwoSamplePanel::Facts(const SampleList* list) const {
  PictureFacts facts;
  facts.test = ShownTest(TestFacts::Law::kT, ShownNumber(tBox_), ShownNumber(degreesBox_));
  const int n1 = list ? list->FilledCount(1) : 0, n2 = list ? list->FilledCount(2) : 0;
  if (n1 > 0 && n2 > 0) {
    facts.data.kind = DataFacts::Kind::kGroups;
    facts.data.x = ListValues(*list, 1, n1);
    facts.data.y = ListValues(*list, 2, n2);
  } else {
    facts.data.kind = DataFacts::Kind::kSummaryMeans;
    for (int g = 0; g < 2; ++g) {
      facts.data.summary[g] = {ShownNumber(groups_[g].mean), ShownNumber(groups_[g].sd),
                               ShownNumber(groups_[g].size)};
    }
  }
  return facts;
}

}  // namespace sumvane
