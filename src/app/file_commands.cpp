#include "app/file_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/dialogs.h"
#include "app/sample_list_model.h"
#include "files/sample_file.h"

namespace sumvane {

FileCommands::FileCommands(QWidget* window, SampleListModel* model)
    : window_(window), model_(model) {}

bool FileCommands::Import(Dialogs& dialogs) {
  const std::optional<QString> path = dialogs.AskOpenFileName(window_);
  if (!path || path->isEmpty()) return false;
  auto rows = LoadSampleList(QFile::encodeName(*path).toStdString());
  return rows && model_->Assign(std::move(*rows));
}

void FileCommands::Export(Dialogs& dialogs) {
  const std::optional<QString> path = dialogs.AskSaveFileName(window_);
  if (!path || path->isEmpty() ||
      !SaveSampleList(model_->List(), QFile::encodeName(*path).toStdString())) {
    dialogs.ShowMessage(window_, QStringLiteral("请输入保存文件名！"));
  }
}

void FileCommands::OpenHelp(Dialogs& dialogs) {
  // Installed beside the program under share/, or copied next to it in a build.
  const QDir programDir(QCoreApplication::applicationDirPath());
  for (const QString& candidate :
       {QStringLiteral("../share/sumvane/help/index.html"), QStringLiteral("help/index.html")}) {
    const QString path = programDir.absoluteFilePath(candidate);
    if (QFileInfo::exists(path)) {
      dialogs.OpenUrl(QUrl::fromLocalFile(QFileInfo(path).canonicalFilePath()));
      return;
    }
  }
}

}  // namespace sumvane
