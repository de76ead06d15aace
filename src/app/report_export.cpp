#include "app/report_export.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <memory>

#include "app/dialogs.h"
#include "app/widget_kit.h"
#include "pictures/picture.h"

namespace sumvane::report_out {
namespace {

// Qt's PDF writer tells a reader which text a glyph stands for only through
// the face's character map. The CJK face substitutes its own copies of the
// digits, colon and the like after a Latin or Greek letter ("α=0.05",
// "H0："), and those copies are in no map, so text copied out of the PDF lost
// every such figure. Drawn without that shaping, each character takes the
// glyph its code maps to, which looks the same in this face.
std::unique_ptr<QTextDocument> PrintableDocument(const std::string& html) {
  auto document = std::make_unique<QTextDocument>();
  QFont font = kit::WindowFont(kPointSize);
  font.setStyleStrategy(QFont::PreferNoShaping);
  document->setDefaultFont(font);
  document->setHtml(kit::Q(html));
  return document;
}

bool WritePdf(const QString& path, const QString& title, const std::string& html) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  {
    QPdfWriter writer(&file);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Sumvane"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    PrintableDocument(html)->print(&writer);
  }
  return file.commit();
}

}  // namespace

// Scaled once to the screen, so that painting the page copies each image
// instead of scaling it each time.
QStringList HoldImages(QTextBrowser& text, const std::vector<ReportImage>& images,
                       const QStringList& held) {
  QTextDocument& document = *text.document();
  const qreal pixelRatio = text.devicePixelRatioF();
  const QSize onScreen = (QSizeF(kPictureWidth, kPictureHeight) * pixelRatio).toSize();
  QStringList used;
  for (const ReportImage& shown : images) {
    if (!held.contains(shown.name) && !used.contains(shown.name)) {
      QImage image = shown.image;
      if (image.size() != onScreen)
        image = image.scaled(onScreen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      image.setDevicePixelRatio(pixelRatio);
      document.addResource(QTextDocument::ImageResource, QUrl(shown.name), image);
    }
    used << shown.name;
  }
  for (const QString& name : held)
    if (!used.contains(name)) document.addResource(QTextDocument::ImageResource, QUrl(name), {});
  return used;
}

void Copy(const std::string& html, const QString& plainText) {
  auto* mime = new QMimeData;
  mime->setHtml(kit::Q(html));
  mime->setText(plainText);
  QApplication::clipboard()->setMimeData(mime);
}

void Save(QWidget* window, Dialogs& dialogs, const PageMaker& page) {
  const std::optional<QString> path = dialogs.AskReportFileName(window);
  if (!path || path->isEmpty()) return;
  const std::string html = page();
  const bool pdf =
      QFileInfo(*path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0;
  bool saved = false;
  QString why;
  if (pdf) {
    saved = WritePdf(*path, window->windowTitle(), html);
  } else {
    QSaveFile file(*path);
    saved = file.open(QIODevice::WriteOnly) &&
            file.write(html.data(), static_cast<qint64>(html.size())) ==
                static_cast<qint64>(html.size()) &&
            file.commit();
    why = file.errorString();
  }
  if (!saved) dialogs.ShowMessage(window, QStringLiteral("报告未能保存到 %1。%2").arg(*path, why));
}

void Print(QWidget* window, Dialogs& dialogs, const PageMaker& page) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(window->windowTitle());
  if (!dialogs.SetUpPrinter(window, printer)) return;
  PrintableDocument(page())->print(&printer);
}

namespace {

class CopyAllFilter : public QObject {
 public:
  CopyAllFilter(QTextBrowser& text, std::function<void()> copyAll)
      : QObject(&text), text_(text), copyAll_(std::move(copyAll)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &text_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
        !text_.textCursor().hasSelection()) {
      copyAll_();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QTextBrowser& text_;
  std::function<void()> copyAll_;
};

}  // namespace

void CopyAllOnCtrlC(QTextBrowser& text, std::function<void()> copyAll) {
  text.installEventFilter(new CopyAllFilter(text, std::move(copyAll)));
}

}  // namespace sumvane::report_out
