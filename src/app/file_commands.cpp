#include "app/file_commands.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QWidget>

#include "app/dialogs.h"
#include "app/sample_list_model.h"
#include "app/undo_commands.h"
#include "files/csv_file.h"
#include "files/sample_file.h"

namespace sumvane {
namespace {

bool IsTableFile(const QString& path) {
  return QFileInfo(path).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0;
}

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Why a file left the list as it was, in the user's words; empty for rows.
QString WhyNoRows(const ImportResult& result, const QString& name) {
  switch (result.status) {
    case ImportStatus::kRows:
      return {};
    case ImportStatus::kNoRows:
      return QStringLiteral("文件中没有找到数据行：%1").arg(name);
    case ImportStatus::kTooManyRows:
      return QStringLiteral("%1 的数据超过 %2 行，未导入。").arg(name).arg(SampleList::kMaxRows);
    case ImportStatus::kNotANumber:
      return QStringLiteral("%1 第%2行第%3组不是数字，未导入。")
          .arg(name)
          .arg(result.line)
          .arg(result.group);
    case ImportStatus::kTooManyColumns:
      return QStringLiteral("%1 的数据多于三列（序号、第1组、第2组），未导入。").arg(name);
    case ImportStatus::kUnreadable:
      break;
  }
  return QStringLiteral("无法读取文件：%1").arg(name);
}

}  // namespace

FileCommands::FileCommands(QWidget* window, SampleListModel* model, QUndoStack* undo,
                           std::function<Dialogs&()> dialogs)
    : QObject(window), window_(window), model_(model), undo_(undo), dialogs_(std::move(dialogs)) {
  window->setAcceptDrops(true);
  window->installEventFilter(this);
}

// One .txt or .csv file, dropped anywhere on the window.
bool FileCommands::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop) {
    return QObject::eventFilter(watched, event);
  }
  auto* drop = static_cast<QDropEvent*>(event);
  const QList<QUrl> urls = drop->mimeData()->urls();
  const QString path =
      urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QLatin1String("txt") && suffix != QLatin1String("csv")) return false;
  drop->acceptProposedAction();
  if (event->type() == QEvent::Drop) ImportFile(path, dialogs_());
  return true;
}

bool FileCommands::Import(Dialogs& dialogs) {
  const std::optional<QString> path = dialogs.AskOpenFileName(window_);
  if (!path || path->isEmpty()) return false;
  return ImportFile(*path, dialogs);
}

// The list changes only after the whole file was read, and only when it gave
// rows; a file that gives none says why and leaves the list as it was.
bool FileCommands::ImportFile(const QString& path, Dialogs& dialogs) {
  ImportResult result =
      IsTableFile(path) ? LoadCsvFile(Native(path)) : LoadSampleList(Native(path));
  const QString name = QFileInfo(path).fileName();
  if (!result) {
    dialogs.ShowMessage(window_, WhyNoRows(result, name));
    return false;
  }
  if (!ChangeList(undo_, model_, 1, model_->List().Count(), *result, QStringLiteral("导入"))) {
    return false;
  }
  saved_ = std::move(*result);
  lastFile_ = path;
  if (result.undecodableLines > 0) {
    dialogs.ShowMessage(window_, QStringLiteral("已导入 %1，其中 %2 行文字无法识别，已跳过。")
                                     .arg(name)
                                     .arg(result.undecodableLines));
  }
  return true;
}

// A cancelled dialog shows nothing; a name left empty asks for one; a save
// that fails says so, and why it may have. The name's suffix chooses the
// format: .csv for spreadsheets, the fixed-width text file otherwise. The
// dialog proposes the file last imported or exported, where the user's data
// is, or a plain name in Chinese.
bool FileCommands::Export(Dialogs& dialogs) {
  const std::optional<QString> path = dialogs.AskSaveFileName(
      window_, lastFile_.isEmpty() ? QStringLiteral("数据.txt") : lastFile_);
  if (!path) return false;
  if (path->isEmpty()) {
    dialogs.ShowMessage(window_, QStringLiteral("请输入保存文件名！"));
    return false;
  }
  const bool saved = IsTableFile(*path) ? SaveCsvFile(model_->List(), Native(*path))
                                        : SaveSampleList(model_->List(), Native(*path));
  if (!saved) {
    dialogs.ShowMessage(window_,
                        QStringLiteral("未能导出到 %1：文件夹不存在、没有写入权限或磁盘已满。")
                            .arg(QDir::toNativeSeparators(*path)));
    return false;
  }
  saved_ = model_->List().Rows();
  lastFile_ = *path;
  return true;
}

bool FileCommands::MayDiscardList(Dialogs& dialogs) {
  if (model_->List().Rows() == saved_) return true;
  switch (dialogs.AskAboutUnsavedList(window_)) {
    case Dialogs::UnsavedList::kExport:
      return Export(dialogs);
    case Dialogs::UnsavedList::kDiscard:
      return true;
    case Dialogs::UnsavedList::kCancel:
      break;
  }
  return false;
}

}  // namespace sumvane
