#include "app/panels/two_sample_panel.h"

#include <QLabel>
#include <QLineEdit>

#include "app/widget_kit.h"
#include "entry/sample_list.h"

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
  for (const Group& group : groups_) {
    for (QLineEdit* box : {group.mean, group.sd, group.size}) {
      connect(box, &QLineEdit::textChanged, this, [this, box] { Typed(box); });
      WatchTyping({box});
    }
  }
  MakeAnswerLabels({2040, 1230, 3500, 255}, {2040, 1470, 3500, 255});
  Recompute();
}

void TwoSamplePanel::Typed(QLineEdit* box) {
  if (Writing()) return;
  const PanelFigure typed = PanelFigure::Typed(S(box->text()));
  for (int g = 0; g < 2; ++g) {
    const Group& boxes = groups_[g];
    if (box != boxes.mean && box != boxes.sd && box != boxes.size) continue;
    if (box == boxes.mean) inputs_[g].mean = typed;
    if (box == boxes.sd) inputs_[g].sd = typed;
    if (box == boxes.size) inputs_[g].n = typed;
    // The group's figures no longer describe its values in the list.
    inputs_[g].values.clear();
  }
  Recompute();
}

void TwoSamplePanel::Recompute() {
  result_ = AnalyseTwoSample(inputs_, CurrentAlpha());
  const TwoSampleResult::Shown& shown = result_.shown;
  for (int g = 0; g < 2; ++g) {
    ShowFigure(groups_[g].mean, shown.mean[g]);
    ShowFigure(groups_[g].sd, shown.sd[g]);
    ShowFigure(groups_[g].size, shown.n[g]);
  }
  ShowFigure(degreesBox_, shown.degrees);
  ShowFigure(tBox_, shown.t);
  ShowAnswer();
}

// After an Enter only the group entered is summarised again; the other keeps
// its figures. A list with no data empties the panel.
void TwoSamplePanel::ListChanged(const SampleList& list, std::optional<int> enteredGroup) {
  if (list.FilledCount(1) == 0 && list.FilledCount(2) == 0) {
    inputs_ = {};
  } else {
    for (int group = 1; group <= 2; ++group) {
      if (!enteredGroup || *enteredGroup == group) {
        inputs_[group - 1] = SummariseGroup(list.Observations(group, list.FilledCount(group)));
      }
    }
  }
  Recompute();
}

std::string TwoSamplePanel::ReportHtml(const ReportPictures& pictures) const {
  return TwoSampleReport(result_, pictures);
}

QWidgetList TwoSamplePanel::TabChain() const {
  return {groups_[0].mean, groups_[1].mean, groups_[0].sd, groups_[1].sd,
          groups_[0].size, groups_[1].size, degreesBox_,   tBox_};
}

// The list's values when both groups come from it, else the typed figures.
PictureFacts TwoSamplePanel::Facts(const SampleList* list) const {
  PictureFacts facts;
  facts.test = ShownTest(TestFacts::Law::kT, result_.t, result_.degrees);
  const int n1 = list ? list->FilledCount(1) : 0, n2 = list ? list->FilledCount(2) : 0;
  if (n1 > 0 && n2 > 0) {
    facts.data.kind = DataFacts::Kind::kGroups;
    facts.data.x = ListValues(*list, 1, n1);
    facts.data.y = ListValues(*list, 2, n2);
  } else {
    facts.data.kind = DataFacts::Kind::kSummaryMeans;
    for (int g = 0; g < 2; ++g) {
      const GroupInputs& group = inputs_[g];
      facts.data.summary[g] = {group.mean.Value(), group.sd.Value(), group.n.Value()};
    }
  }
  if (result_.checks) {
    facts.qq.push_back({"第1组数据", result_.checks->qq[0]});
    facts.qq.push_back({"第2组数据", result_.checks->qq[1]});
  }
  return facts;
}

}  // namespace sumvane
