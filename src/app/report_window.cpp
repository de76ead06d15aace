#include "app/report_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogs.h"
#include "app/widget_kit.h"
#include "stats/strict_number.h"

namespace sumvane {
namespace {

QAction* MakeAction(QWidget* owner, const QString& name, const QKeySequence& keys) {
  auto* action = new QAction(name, owner);
  action->setObjectName(name);
  action->setShortcut(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  return action;
}

}  // namespace

ReportWindow::ReportWindow(QWidget* owner, Shown shown, Exported exported,
                           std::function<Dialogs&()> dialogs, std::function<void()> drawPictures,
                           std::function<void(std::optional<double>)> predictAt)
    : QWidget(owner, Qt::Window),
      shown_(std::move(shown)),
      exported_(std::move(exported)),
      dialogs_(std::move(dialogs)),
      drawPictures_(std::move(drawPictures)) {
  setObjectName(QStringLiteral("ReportWindow"));
  setWindowTitle(QStringLiteral("计算过程"));
  // Closing the main window ends the program, whatever else is open.
  setAttribute(Qt::WA_QuitOnClose, false);

  auto* toolbar = new QToolBar(this);
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  QAction* copy = MakeAction(this, QStringLiteral("复制报告"), {});
  QAction* save = MakeAction(this, QStringLiteral("保存报告"), QKeySequence::Save);
  QAction* print = MakeAction(this, QStringLiteral("打印报告"), QKeySequence::Print);
  toolbar->addAction(copy);
  toolbar->addAction(save);
  toolbar->addAction(print);
  connect(copy, &QAction::triggered, this, &ReportWindow::CopyReport);
  connect(save, &QAction::triggered, this, &ReportWindow::SaveReport);
  connect(print, &QAction::triggered, this, &ReportWindow::PrintReport);
  if (predictAt) {
    auto* predict = new QWidget(toolbar);
    predict->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* row = new QHBoxLayout(predict);
    row->setContentsMargins(12, 0, 4, 0);
    auto* caption = new QLabel(QStringLiteral("X₀="), predict);
    auto* box = new QLineEdit(predict);
    box->setObjectName(QStringLiteral("PredictX"));
    box->setAccessibleName(QStringLiteral("预测的X₀"));
    box->setFixedWidth(90);
    caption->setBuddy(box);
    row->addWidget(caption);
    row->addWidget(box);
    predictBox_ = toolbar->addWidget(predict);
    predictBox_->setText(caption->text());
    predictBox_->setVisible(false);
    connect(box, &QLineEdit::textChanged, this,
            [predictAt](const QString& text) { predictAt(ReadStrictNumber(kit::S(text))); });
  }

  text_ = new QTextBrowser(this);
  text_->setObjectName(QStringLiteral("ReportText"));
  text_->setAccessibleName(QStringLiteral("计算过程"));
  text_->setOpenLinks(false);
  // A scroll bar that comes and goes would lay the report out twice.
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->document()->setDefaultFont(kit::WindowFont(report_out::kPointSize));
  report_out::CopyAllOnCtrlC(*text_, [this] { CopyReport(); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolbar);
  layout->addWidget(text_);
  resize(620, 680);

  rewrite_.setSingleShot(true);
  rewrite_.setInterval(0);
  connect(&rewrite_, &QTimer::timeout, this, &ReportWindow::Rewrite);
  pictures_.setSingleShot(true);
  pictures_.setInterval(kPicturePause);
  connect(&pictures_, &QTimer::timeout, this, &ReportWindow::Settle);
}

void ReportWindow::Open() {
  Settle();
  if (!isVisible()) PlaceBesideOwner();
  show();
  raise();
  activateWindow();
}

void ReportWindow::Refresh() {
  if (!isVisible()) return;
  rewrite_.start();
  if (drawPictures_) pictures_.start();
}

void ReportWindow::Settle() {
  pictures_.stop();
  if (drawPictures_) drawPictures_();
  Rewrite();
}

void ReportWindow::Rewrite() {
  rewrite_.stop();
  ReportContent content = shown_();
  if (predictBox_) predictBox_->setVisible(content.asksX0);
  if (content.html == html_) return;
  html_ = std::move(content.html);
  held_ = report_out::HoldImages(*text_, content.images, held_);
  // Keep the reader's place while the report follows the typing.
  const int scrolled = text_->verticalScrollBar()->value();
  text_->setHtml(kit::Q(html_));
  text_->verticalScrollBar()->setValue(scrolled);
}

// To the right of the main window where the screen has room, else to its left.
void ReportWindow::PlaceBesideOwner() {
  const QWidget* owner = parentWidget();
  if (owner == nullptr) return;
  const QRect main = owner->frameGeometry();
  const QScreen* screen = owner->screen();
  const QRect room = screen ? screen->availableGeometry() : QRect();
  QPoint at(main.right() + 8, main.top());
  if (room.isValid() && at.x() + width() > room.right()) {
    at.setX(std::max(room.left(), main.left() - width() - 8));
  }
  if (room.isValid())
    at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - height())));
  move(at);
}

void ReportWindow::CopyReport() {
  Settle();
  report_out::Copy(exported_(), text_->document()->toPlainText());
}

void ReportWindow::SaveReport() {
  Settle();
  report_out::Save(this, dialogs_(), exported_);
}

void ReportWindow::PrintReport() {
  Settle();
  report_out::Print(this, dialogs_(), exported_);
}

}  // namespace sumvane
