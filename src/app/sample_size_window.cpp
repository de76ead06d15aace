#include "app/sample_size_window.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/report_export.h"
#include "app/widget_kit.h"
#include "pictures/power_curve_picture.h"
#include "report/sample_size_report.h"

namespace sumvane {
namespace {

using Field = SampleSizeField;

// The boxes in the window's order, as SampleSizeField numbers them.
constexpr std::array<const char*, 9> kBoxNames = {
    "ssAlpha", "ssPower", "ssDelta", "ssSigma", "ssP1", "ssP2", "ssRho", "ssRatio", "ssN"};

bool Paired(StudyDesign design) {
  return design == StudyDesign::kPairedMeans || design == StudyDesign::kPairedRates;
}

QString LabelOf(StudyDesign design, Field field) {
  const bool paired = Paired(design);
  switch (field) {
    case Field::kAlpha:
      return QStringLiteral("检验水准α");
    case Field::kPower:
      return QStringLiteral("检验效能1−β");
    case Field::kDelta:
      return paired ? QStringLiteral("差值均数δ") : QStringLiteral("两均数之差δ");
    case Field::kSigma:
      return paired ? QStringLiteral("差值标准差σd") : QStringLiteral("总体标准差σ");
    case Field::kP1:
      return paired ? QStringLiteral("不一致比例π₁₂") : QStringLiteral("总体率π₁");
    case Field::kP2:
      return paired ? QStringLiteral("不一致比例π₂₁") : QStringLiteral("总体率π₂");
    case Field::kRho:
      return QStringLiteral("总体相关系数ρ");
    case Field::kRatio:
      return QStringLiteral("例数之比n₂/n₁");
    case Field::kN:
      break;
  }
  if (design == StudyDesign::kTwoMeans) return QStringLiteral("给定n₁（可空）");
  if (paired) return QStringLiteral("给定对子数（可空）");
  return design == StudyDesign::kTwoRates ? QStringLiteral("给定每组n（可空）")
                                          : QStringLiteral("给定例数（可空）");
}

QString SizeNameOf(StudyDesign design) {
  if (design == StudyDesign::kTwoMeans) return QStringLiteral("第一组例数n₁");
  if (design == StudyDesign::kTwoRates) return QStringLiteral("每组例数n");
  return Paired(design) ? QStringLiteral("对子数n") : QStringLiteral("例数n");
}

QAction* MakeAction(QWidget* owner, const QString& name, const QString& caption,
                    const QKeySequence& keys) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(name);
  action->setShortcut(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  return action;
}

}  // namespace

SampleSizeWindow::SampleSizeWindow(QWidget* owner, std::function<Dialogs&()> dialogs)
    : QWidget(owner, Qt::Window), dialogs_(std::move(dialogs)) {
  setObjectName(QStringLiteral("SampleSizeWindow"));
  setWindowTitle(QStringLiteral("样本含量估计"));
  setAttribute(Qt::WA_QuitOnClose, false);
  setFont(kit::WindowFont(10.5));

  auto* toolbar = new QToolBar(this);
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  QAction* copy = MakeAction(this, QStringLiteral("复制样本含量"), QStringLiteral("复制"), {});
  QAction* save =
      MakeAction(this, QStringLiteral("保存样本含量"), QStringLiteral("保存"), QKeySequence::Save);
  QAction* print =
      MakeAction(this, QStringLiteral("打印样本含量"), QStringLiteral("打印"), QKeySequence::Print);
  for (QAction* action : {copy, save, print}) toolbar->addAction(action);
  connect(copy, &QAction::triggered, this, &SampleSizeWindow::CopyReport);
  connect(save, &QAction::triggered, this, &SampleSizeWindow::SaveReport);
  connect(print, &QAction::triggered, this, &SampleSizeWindow::PrintReport);

  auto* inputs = new QWidget(this);
  form_ = new QFormLayout(inputs);
  form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  design_ = new QComboBox(inputs);
  design_->setObjectName(QStringLiteral("ssDesign"));
  design_->addItems({QStringLiteral("两样本均数比较"), QStringLiteral("配对设计均数比较"),
                     QStringLiteral("两样本率比较"), QStringLiteral("配对设计率比较"),
                     QStringLiteral("直线相关")});
  form_->addRow(QStringLiteral("研究设计"), design_);
  sides_ = new QComboBox(inputs);
  sides_->setObjectName(QStringLiteral("ssSides"));
  sides_->addItems({QStringLiteral("双侧"), QStringLiteral("单侧")});
  form_->addRow(QStringLiteral("检验"), sides_);
  for (int i = 0; i < kFieldCount; ++i) {
    boxes_[i] = new QLineEdit(inputs);
    boxes_[i]->setObjectName(QLatin1String(kBoxNames[i]));
    labels_[i] = new QLabel(inputs);
    labels_[i]->setBuddy(boxes_[i]);
    form_->addRow(labels_[i], boxes_[i]);
  }
  boxes_[static_cast<int>(Field::kAlpha)]->setText(QStringLiteral("0.05"));
  boxes_[static_cast<int>(Field::kPower)]->setText(QStringLiteral("0.90"));
  boxes_[static_cast<int>(Field::kRatio)]->setText(QStringLiteral("1"));
  inputs->setFixedWidth(290);

  text_ = new QTextBrowser(this);
  text_->setObjectName(QStringLiteral("SampleSizeText"));
  text_->setAccessibleName(QStringLiteral("样本含量估计"));
  text_->setOpenLinks(false);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->document()->setDefaultFont(kit::WindowFont(report_out::kPointSize));
  report_out::CopyAllOnCtrlC(*text_, [this] { CopyReport(); });

  auto* body = new QHBoxLayout;
  body->addWidget(inputs, 0, Qt::AlignTop);
  body->addWidget(text_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 4);
  layout->addWidget(toolbar);
  layout->addLayout(body);
  resize(900, 680);

  curveTimer_.setSingleShot(true);
  curveTimer_.setInterval(kCurvePause);
  connect(&curveTimer_, &QTimer::timeout, this, [this] {
    DrawCurve();
    Rewrite();
  });
  for (QLineEdit* box : boxes_)
    connect(box, &QLineEdit::textChanged, this, &SampleSizeWindow::Recalculate);
  connect(design_, &QComboBox::currentIndexChanged, this, &SampleSizeWindow::ShowDesign);
  connect(sides_, &QComboBox::currentIndexChanged, this, &SampleSizeWindow::Recalculate);
  ShowDesign();
}

void SampleSizeWindow::Open() {
  Settle();
  show();
  raise();
  activateWindow();
}

void SampleSizeWindow::Settle() {
  curveTimer_.stop();
  DrawCurve();
  Rewrite();
}

void SampleSizeWindow::ShowDesign() {
  const auto design = static_cast<StudyDesign>(design_->currentIndex());
  const std::vector<Field> fields = FieldsOf(design);
  for (int i = 0; i < kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    labels_[i]->setText(LabelOf(design, field));
    form_->setRowVisible(boxes_[i], std::ranges::find(fields, field) != fields.end());
  }
  Recalculate();
}

SampleSizeAnswer SampleSizeWindow::Answer() const {
  std::array<std::string, kFieldCount> texts;
  for (int i = 0; i < kFieldCount; ++i) texts[i] = boxes_[i]->text().toStdString();
  return AnswerSampleSize(
      static_cast<StudyDesign>(design_->currentIndex()),
      static_cast<TestSides>(sides_->currentIndex()),
      {texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6], texts[7], texts[8]});
}

// Until the pause ends, the page keeps the curve last drawn, as the report
// window keeps its pictures, so that it does not jump with every keystroke.
void SampleSizeWindow::Recalculate() {
  answer_ = Answer();
  Rewrite();
  if (answer_.plan) curveTimer_.start();
}

void SampleSizeWindow::DrawCurve() {
  curveDrawn_ = true;
  curve_ = {};
  if (!answer_.plan) return;
  const std::optional<PowerCurve> curve = PowerCurveOf(*answer_.plan);
  curve_ = curve ? Draw(PowerCurvePicture(*curve, SizeNameOf(answer_.design)))
                 : Draw(NoPicture(QStringLiteral("（没有算出例数，不画检验效能曲线。）")));
  curveName_ = QStringLiteral("sample-size-curve:%1").arg(++curveNumber_);
}

std::string SampleSizeWindow::Page(bool exported) const {
  if (!curveDrawn_ || !answer_.plan) return SampleSizeReport(answer_);
  return SampleSizeReport(answer_,
                          exported ? PictureHtml(curve_) : PictureHtml(curve_, curveName_));
}

void SampleSizeWindow::Rewrite() {
  std::string html = Page(false);
  if (html == html_) return;
  html_ = std::move(html);
  std::vector<ReportImage> images;
  if (curveDrawn_ && !curve_.image.isNull()) images.push_back({curveName_, curve_.image});
  held_ = report_out::HoldImages(*text_, images, held_);
  const int scrolled = text_->verticalScrollBar()->value();
  text_->setHtml(kit::Q(html_));
  text_->verticalScrollBar()->setValue(scrolled);
}

void SampleSizeWindow::CopyReport() {
  Settle();
  report_out::Copy(Page(true), text_->document()->toPlainText());
}

void SampleSizeWindow::SaveReport() {
  Settle();
  report_out::Save(this, dialogs_(), [this] { return Page(true); });
}

void SampleSizeWindow::PrintReport() {
  Settle();
  report_out::Print(this, dialogs_(), [this] { return Page(true); });
}

}  // namespace sumvane
