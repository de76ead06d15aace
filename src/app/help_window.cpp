#include "app/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/dialogs.h"
#include "app/widget_kit.h"

namespace sumvane {

QUrl HelpPage() {
  const QDir programDir(QCoreApplication::applicationDirPath());
  for (const QString& candidate :
       {QStringLiteral("../share/sumvane/help/index.html"), QStringLiteral("help/index.html")}) {
    const QString path = programDir.absoluteFilePath(candidate);
    if (QFileInfo::exists(path)) return QUrl::fromLocalFile(QFileInfo(path).canonicalFilePath());
  }
  return QUrl(QStringLiteral("qrc:/help/index.html"));
}

HelpWindow::HelpWindow(QWidget* owner, std::function<Dialogs&()> dialogs)
    : QWidget(owner, Qt::Window), dialogs_(std::move(dialogs)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Sumvane 帮助"));
  // Closing the main window ends the program, whatever else is open.
  setAttribute(Qt::WA_QuitOnClose, false);

  text_ = new QTextBrowser(this);
  text_->setObjectName(QStringLiteral("HelpText"));
  text_->setAccessibleName(QStringLiteral("帮助"));
  text_->document()->setDefaultFont(kit::WindowFont(10.5));
  text_->setOpenLinks(false);
  connect(text_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    const QUrl target = text_->source().resolved(url);
    if (target.scheme() == QLatin1String("http") || target.scheme() == QLatin1String("https") ||
        target.scheme() == QLatin1String("mailto")) {
      dialogs_().OpenUrl(target);
    } else {
      text_->setSource(target);
    }
  });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  resize(760, 640);
}

void HelpWindow::Open() {
  if (text_->source().isEmpty()) text_->setSource(HelpPage());
  show();
  raise();
  activateWindow();
}

}  // namespace sumvane
