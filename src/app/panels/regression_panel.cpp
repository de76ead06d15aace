#include "app/panels/regression_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "app/widget_kit.h"
#include "entry/sample_list.h"
#include "report/reports.h"

namespace sumvane {

using kit::S;

// Enough points along X for the bands' curves to look smooth.
constexpr int kBandPoints = 60;

RegressionPanel::RegressionPanel(QWidget* parent, int left, int top)
    : AnalysisPanel(parent, Analysis::kRegression, left, top) {
  auto caption = [this](const char* name, const QString& text, kit::Twips place, double size) {
    return kit::MakeLabel(this, {.name = QLatin1String(name),
                                 .caption = text,
                                 .colour = kit::kRed,
                                 .place = place,
                                 .pointSize = size});
  };
  caption("Label11", QStringLiteral("例数(n) ="), {540, 360}, 10.5);
  caption("Label8", QStringLiteral("r ="), {540, 720}, 18);
  tCaption_ = caption("Label7", QStringLiteral("t ="), {3360, 720}, 18);
  rSubscript_ = caption("Label9", QStringLiteral("r"), {3540, 840}, 10.5);
  caption("Label15", QStringLiteral("回归方程(Y):"), {540, 1320}, 10.5);
  sizeBox_ = kit::MakeBox(this, {.name = QStringLiteral("Text9"),
                                 .place = {1620, 360, 1035, 315},
                                 .look = kit::kTypedResult,
                                 .pointSize = 14.25,
                                 .spokenName = QStringLiteral("例数(n) ="),
                                 .shows = 5,
                                 .whole = true});
  rBox_ = kit::MakeBox(this, {.name = QStringLiteral("Text8"),
                              .place = {1260, 780, 1275, 315},
                              .look = kit::kTypedResult,
                              .pointSize = 14.25,
                              .spokenName = QStringLiteral("r ="),
                              .shows = kRWidth});
  tBox_ = kit::MakeBox(this, {.name = QStringLiteral("Text7"),
                              .place = {4020, 780, 1035, 315},
                              .look = kit::kResult,
                              .readOnly = true,
                              .pointSize = 14.25,
                              .spokenName = QStringLiteral("tr ="),
                              .shows = kTOfRWidth});
  equationBox_ = kit::MakeBox(this, {.name = QStringLiteral("Text10"),
                                     .place = {1980, 1290, 3555, 315},
                                     .look = kit::kResult,
                                     .pointSize = 12,
                                     .spokenName = QStringLiteral("回归方程(Y):")});
  for (QLineEdit* box : {sizeBox_, rBox_, equationBox_}) {
    connect(box, &QLineEdit::textChanged, this, [this, box] { Typed(box); });
  }
  // A figure shows its leading digits once the user leaves it.
  for (QLineEdit* box : {sizeBox_, rBox_}) {
    connect(box, &QLineEdit::editingFinished, box, [box] { box->setCursorPosition(0); });
  }
  // The verdict takes two lines where it adds the hint on normality, so P
  // stands in the free corner left of it, above the size box.
  MakeAnswerLabels({540, 60, 2250, 255}, {2880, 60, 2740, 540});
  if (auto* verdict = findChild<QLabel*>(QStringLiteral("Verdict(2)"))) {
    verdict->setWordWrap(true);
    verdict->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  WatchTyping({sizeBox_, rBox_, tBox_});
  Recompute();
}

void RegressionPanel::Typed(QLineEdit* box) {
  if (Writing()) return;
  if (box == equationBox_) {
    inputs_.typedEquation = S(box->text());
  } else {
    // An n or r typed by hand no longer describes the list, nor does its equation.
    inputs_.unequalGroups = false;
    inputs_.line.reset();
    inputs_.moments.reset();
    inputs_.x.clear();
    inputs_.y.clear();
    inputs_.typedEquation.reset();
    (box == sizeBox_ ? inputs_.n : inputs_.r) = PanelFigure::Typed(S(box->text()));
  }
  Recompute();
}

void RegressionPanel::PredictAt(std::optional<double> x0) {
  if (x0 == predictX_) return;
  predictX_ = x0;
  Recompute();
}

void RegressionPanel::Recompute() {
  inputs_.predictX = predictX_;
  result_ = AnalyseCorrelation(inputs_, CurrentAlpha());
  ShowFigure(sizeBox_, result_.shown.n);
  ShowFigure(rBox_, result_.shown.r);
  ShowFigure(tBox_, result_.shown.tOfR);
  ShowFigure(equationBox_, result_.shown.equation);
  ShowAnswer();
}

// Pairs need two groups of one length; with no data the panel empties.
void RegressionPanel::ListChanged(const SampleList& list, std::optional<int>) {
  const int n1 = list.FilledCount(1);
  const int n2 = list.FilledCount(2);
  inputs_ = PairsForRegression(list.Observations(1, n1), list.Observations(2, n2));
  Recompute();
}

std::string RegressionPanel::ReportHtml(const ReportPictures& pictures) const {
  return CorrelationReport(result_, pictures);
}

// The subscript r stands in the blank of "t =", which in the window's face is
// narrower than the r; the blank is widened until the "=" clears the r. Done
// on the first show, so that a session that never shows the panel never
// measures its faces.
void RegressionPanel::showEvent(QShowEvent* event) {
  if (!subscriptSpaced_) {
    subscriptSpaced_ = true;
    const QFontMetrics tMetrics(tCaption_->font());
    const int equalsLeft = tCaption_->x() + tMetrics.horizontalAdvance(QStringLiteral("t "));
    const int rRight = rSubscript_->x() + QFontMetrics(rSubscript_->font()).horizontalAdvance('r');
    const int widen = rRight + 2 - equalsLeft;
    if (widen > 0) {
      QFont font = tCaption_->font();
      font.setWordSpacing(widen);
      tCaption_->setFont(font);
      tCaption_->adjustSize();
    }
  }
  AnalysisPanel::showEvent(event);
}

QWidgetList RegressionPanel::TabChain() const { return {sizeBox_, rBox_, tBox_, equationBox_}; }

PictureFacts RegressionPanel::Facts(const SampleList* list) const {
  PictureFacts facts;
  facts.test = ShownTest(TestFacts::Law::kT, result_.tOfR, result_.degrees);
  if (list && !inputs_.unequalGroups && TakePairs(*list, facts.data)) {
    facts.data.kind = DataFacts::Kind::kScatter;
    facts.data.equation = result_.shown.equation;
    if (result_.regression) {
      const auto [x0, x1] = std::minmax_element(facts.data.x.begin(), facts.data.x.end());
      facts.data.bands = RegressionBands(*result_.regression, *x0, *x1, kBandPoints);
    }
  }
  if (result_.checks) facts.qq.push_back({"残差", result_.checks->residualQq});
  return facts;
}

}  // namespace sumvane
