#include "app/file_commands.h"

#include <QDir>
#include <QFile>

#include "app/dialogs.h"
#include "app/sample_list_model.h"
#include "app/undo_commands.h"
#include "files/sample_file.h"

namespace sumvane {

FileCommands::FileCommands(QWidget* window, SampleListModel* model, QUndoStack* undo)
    : window_(window), model_(model), undo_(undo) {}

bool FileCommands::ListChangedSinceSaved() const { return model_->List().Rows() != saved_; }

bool FileCommands::Import(Dialogs& dialogs) {
  const std::optional<QString> path = dialogs.AskOpenFileName(window_);
  if (!path || path->isEmpty()) return false;
  auto rows = LoadSampleList(QFile::encodeName(*path).toStdString());
  if (!rows ||
      !ChangeList(undo_, model_, 1, model_->List().Count(), *rows, QStringLiteral("导入"))) {
    return false;
  }
  saved_ = std::move(*rows);
  return true;
}

// A cancelled dialog shows nothing; a name left empty asks for one; a save
// that fails says so, and why it may have.
bool FileCommands::Export(Dialogs& dialogs) {
  const std::optional<QString> path = dialogs.AskSaveFileName(window_);
  if (!path) return false;
  if (path->isEmpty()) {
    dialogs.ShowMessage(window_, QStringLiteral("请输入保存文件名！"));
    return false;
  }
  if (!SaveSampleList(model_->List(), QFile::encodeName(*path).toStdString())) {
    dialogs.ShowMessage(window_,
                        QStringLiteral("未能导出到 %1：文件夹不存在、没有写入权限或磁盘已满。")
                            .arg(QDir::toNativeSeparators(*path)));
    return false;
  }
  saved_ = model_->List().Rows();
  return true;
}

}  // namespace sumvane
