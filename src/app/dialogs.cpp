#include "app/dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace sumvane {
namespace {

const QString kTextFileFilter = QStringLiteral("文本文件(*.txt)");

std::optional<QString> AskFileName(QWidget* parent, QFileDialog::AcceptMode mode,
                                   const QString& proposed) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                     : QFileDialog::ExistingFile);
  dialog.setNameFilter(kTextFileFilter);
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  if (!proposed.isEmpty()) dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

}  // namespace

void QtDialogs::ShowMessage(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Sumvane"), text, QMessageBox::Ok,
                  parent);
  box.exec();
}

std::optional<QString> QtDialogs::AskSaveFileName(QWidget* parent) {
  return AskFileName(parent, QFileDialog::AcceptSave, QStringLiteral("txt"));
}

std::optional<QString> QtDialogs::AskOpenFileName(QWidget* parent) {
  return AskFileName(parent, QFileDialog::AcceptOpen, QString());
}

void QtDialogs::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

}  // namespace sumvane
