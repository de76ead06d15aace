#include "app/panels/regression_panel.h"

#include <QLabel>
#include <QLineEdit>

#include "app/widget_kit.h"
#include "entry/sample_list.h"
#include "stats/number.h"
#include "stats/regression.h"

namespace sumvane {

using kit::S;

namespace {

// The characters of r and of its t that their boxes show whole.
constexpr int kRWidth = 7;
constexpr int kTOfRWidth = 6;

}  // namespace

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
  connect(sizeBox_, &QLineEdit::textChanged, this, &RegressionPanel::RecalculateTOfR);
  connect(rBox_, &QLineEdit::textChanged, this, &RegressionPanel::RecalculateTOfR);
  // An n or r typed by hand no longer describes the list, nor does its equation.
  for (QLineEdit* box : {sizeBox_, rBox_}) {
    connect(box, &QLineEdit::textEdited, this, [this] {
      unequalGroups_ = false;
      listR_.reset();
      equationBox_->clear();
    });
    // A figure shows its leading digits once the user leaves it.
    connect(box, &QLineEdit::editingFinished, box, [box] { box->setCursorPosition(0); });
  }
  MakeAnswerLabels({2880, 90, 2700, 255}, {2880, 360, 2740, 255});
  WatchForAnswer({sizeBox_, rBox_, tBox_});
}

void RegressionPanel::RecalculateTOfR() {
  const std::string r = listR_ ? *listR_ : S(rBox_->text());
  kit::WriteBox(tBox_, ClipText(TOfR(r, S(sizeBox_->text())), kTOfRWidth));
}

// Pairs need two groups of one length; otherwise, and with no data, the panel
// empties.
void RegressionPanel::ListChanged(const SampleList& list, std::optional<int>) {
  const int n1 = list.FilledCount(1);
  const int n2 = list.FilledCount(2);
  unequalGroups_ = n1 != n2;
  listR_.reset();
  if (unequalGroups_ || n1 == 0) {
    for (QLineEdit* box : {tBox_, rBox_, sizeBox_, equationBox_}) box->clear();
    UpdateAnswer();
    return;
  }
  const RegressionResult result = Regress(list.Observations(1, n1), list.Observations(2, n2));
  listR_ = result.r;
  kit::WriteBox(sizeBox_, result.n);
  kit::WriteBox(rBox_, ClipText(result.r, kRWidth));
  kit::WriteBox(equationBox_, result.equation);
}

Answer RegressionPanel::CurrentAnswer() const {
  if (unequalGroups_) return {.verdict = std::string(kUnequalGroups)};
  return CorrelationAnswer(S(sizeBox_->text()), S(rBox_->text()), S(tBox_->text()), CurrentAlpha());
}

// The r table is read with n - 2 degrees of freedom and r itself.
std::string RegressionPanel::ReportHtml(const ReportPictures& pictures) const {
  const std::string n = S(sizeBox_->text()), r = S(rBox_->text());
  const std::string t = S(tBox_->text()), equation = S(equationBox_->text());
  return CorrelationReport({.n = n,
                            .r = r,
                            .tOfR = t,
                            .equation = equation,
                            .unequalGroups = unequalGroups_,
                            .fullR = listR_ ? std::string_view(*listR_) : std::string_view(r)},
                           CurrentAlpha(), pictures);
}

TableQuestion RegressionPanel::Question() const {
  const auto n = ShownNumber(sizeBox_);
  return {CriticalTable::kR, n ? std::optional<double>(*n - 2.0) : std::nullopt,
          ShownNumber(rBox_)};
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

QList<AnalysisPanel::Figure> RegressionPanel::Figures() const {
  return {{QStringLiteral("例数(n)"), sizeBox_->text()},
          {QStringLiteral("r"), rBox_->text()},
          {QStringLiteral("tr"), tBox_->text()},
          {QStringLiteral("回归方程(Y)"), equationBox_->text()}};
}

QWidgetList RegressionPanel::TabChain() const { return {sizeBox_, rBox_, tBox_, equationBox_}; }

PictureFacts RegressionPanel::Facts(const SampleList* list) const {
  PictureFacts facts;
  facts.test = ShownTest(TestFacts::Law::kT, ShownNumber(tBox_), Question().degrees);
  if (list && !unequalGroups_ && TakePairs(*list, facts.data)) {
    facts.data.kind = DataFacts::Kind::kScatter;
    facts.data.equation = S(equationBox_->text());
  }
  return facts;
}

}  // namespace sumvane
