#include "app/report_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "app/dialogs.h"
#include "app/widget_kit.h"
#include "pictures/picture.h"
#include "stats/strict_number.h"

namespace sumvane {
namespace {

constexpr double kReportPointSize = 10.5;

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
  text_->document()->setDefaultFont(kit::WindowFont(kReportPointSize));
  text_->installEventFilter(this);

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
  HoldImages(content.images);
  // Keep the reader's place while the report follows the typing.
  const int scrolled = text_->verticalScrollBar()->value();
  text_->setHtml(kit::Q(html_));
  text_->verticalScrollBar()->setValue(scrolled);
}

// Scaled once to the screen, so that painting the report copies each image
// instead of scaling it each time.
void ReportWindow::HoldImages(const std::vector<ReportImage>& images) {
  QTextDocument& document = *text_->document();
  const qreal pixelRatio = text_->devicePixelRatioF();
  const QSize onScreen = (QSizeF(kPictureWidth, kPictureHeight) * pixelRatio).toSize();
  QStringList used;
  for (const ReportImage& shown : images) {
    if (!held_.contains(shown.name) && !used.contains(shown.name)) {
      QImage image = shown.image;
      if (image.size() != onScreen)
        image = image.scaled(onScreen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      image.setDevicePixelRatio(pixelRatio);
      document.addResource(QTextDocument::ImageResource, QUrl(shown.name), image);
    }
    used << shown.name;
  }
  for (const QString& name : held_)
    if (!used.contains(name)) document.addResource(QTextDocument::ImageResource, QUrl(name), {});
  held_ = used;
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
  auto* mime = new QMimeData;
  mime->setHtml(kit::Q(exported_()));
  mime->setText(text_->document()->toPlainText());
  QApplication::clipboard()->setMimeData(mime);
}

// Qt's PDF writer tells a reader which text a glyph stands for only through
// the face's character map. The CJK face substitutes its own copies of the
// digits, colon and the like after a Latin or Greek letter ("α=0.05",
// "H0："), and those copies are in no map, so text copied out of the PDF lost
// every such figure. Drawn without that shaping, each character takes the
// glyph its code maps to, which looks the same in this face.
std::unique_ptr<QTextDocument> ReportWindow::PrintableDocument(const std::string& html) const {
  auto document = std::make_unique<QTextDocument>();
  QFont font = kit::WindowFont(kReportPointSize);
  font.setStyleStrategy(QFont::PreferNoShaping);
  document->setDefaultFont(font);
  document->setHtml(kit::Q(html));
  return document;
}

bool ReportWindow::WritePdf(const QString& path, const std::string& html) const {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  {
    QPdfWriter writer(&file);
    writer.setTitle(windowTitle());
    writer.setCreator(QStringLiteral("Sumvane"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    PrintableDocument(html)->print(&writer);
  }
  return file.commit();
}

void ReportWindow::SaveReport() {
  Settle();
  const std::optional<QString> path = dialogs_().AskReportFileName(this);
  if (!path || path->isEmpty()) return;
  const bool pdf =
      QFileInfo(*path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0;
  const std::string html = exported_();
  bool saved = false;
  QString why;
  if (pdf) {
    saved = WritePdf(*path, html);
  } else {
    QSaveFile file(*path);
    saved = file.open(QIODevice::WriteOnly) &&
            file.write(html.data(), static_cast<qint64>(html.size())) ==
                static_cast<qint64>(html.size()) &&
            file.commit();
    why = file.errorString();
  }
  if (!saved) {
    dialogs_().ShowMessage(this, QStringLiteral("报告未能保存到 %1。%2").arg(*path, why));
  }
}

void ReportWindow::PrintReport() {
  Settle();
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(windowTitle());
  if (!dialogs_().SetUpPrinter(this, printer)) return;
  PrintableDocument(exported_())->print(&printer);
}

// Ctrl+C with nothing selected copies the whole report; with a selection, the
// browser copies the selection as usual.
bool ReportWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
      !text_->textCursor().hasSelection()) {
    CopyReport();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace sumvane
