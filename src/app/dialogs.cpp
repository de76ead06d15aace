#include "app/dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

#include "app/chinese_dialogs.h"

namespace sumvane {
namespace {

std::optional<QString> AskFileName(QWidget* parent, QFileDialog::AcceptMode mode,
                                   const QStringList& filters, const QString& suffix,
                                   const QString& proposed) {
  QFileDialog dialog(parent);
  // Only Qt's own dialog takes it; a desktop's native one speaks its own.
  dialog.setProxyModel(new FileColumnsInDefaultLocale(&dialog));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                     : QFileDialog::ExistingFile);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(suffix);
  // The filter chosen gives a name typed without a suffix its suffix.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) {
                     static const QRegularExpression firstSuffix(QStringLiteral("\\*\\.(\\w+)"));
                     const QString suffix = firstSuffix.match(filter).captured(1);
                     if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
                   });
  if (!proposed.isEmpty()) {
    // The type shown is the proposed name's, so that its suffix stays.
    const QString proposedSuffix = QFileInfo(proposed).suffix();
    for (const QString& filter : filters) {
      if (!proposedSuffix.isEmpty() &&
          filter.contains(QStringLiteral("*.") + proposedSuffix, Qt::CaseInsensitive)) {
        dialog.selectNameFilter(filter);
        dialog.setDefaultSuffix(proposedSuffix);
        break;
      }
    }
    dialog.selectFile(proposed);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

const QStringList kDataFilters = {QStringLiteral("数据文件 (*.txt)"),
                                  QStringLiteral("CSV 文件 (*.csv)")};

}  // namespace

void QtDialogs::ShowMessage(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Sumvane"), text, QMessageBox::Ok,
                  parent);
  box.exec();
}

std::optional<QString> QtDialogs::AskSaveFileName(QWidget* parent, const QString& proposed) {
  return AskFileName(parent, QFileDialog::AcceptSave, kDataFilters, QStringLiteral("txt"),
                     proposed);
}

std::optional<QString> QtDialogs::AskOpenFileName(QWidget* parent) {
  return AskFileName(parent, QFileDialog::AcceptOpen, kDataFilters, QStringLiteral("txt"),
                     QString());
}

std::optional<QString> QtDialogs::AskReportFileName(QWidget* parent) {
  return AskFileName(parent, QFileDialog::AcceptSave,
                     {QStringLiteral("网页文件(*.html *.htm)"), QStringLiteral("PDF 文件(*.pdf)")},
                     QStringLiteral("html"), QStringLiteral("计算过程.html"));
}

bool QtDialogs::SetUpPrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

Dialogs::UnsavedList QtDialogs::AskAboutUnsavedList(QWidget* parent) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Sumvane"),
                  QStringLiteral("列表中的数据尚未导出。退出前是否导出？"), QMessageBox::NoButton,
                  parent);
  QPushButton* exportButton = box.addButton(QStringLiteral("导出"), QMessageBox::AcceptRole);
  QPushButton* discardButton =
      box.addButton(QStringLiteral("不导出"), QMessageBox::DestructiveRole);
  box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
  box.setDefaultButton(exportButton);
  box.exec();
  if (box.clickedButton() == exportButton) return UnsavedList::kExport;
  if (box.clickedButton() == discardButton) return UnsavedList::kDiscard;
  return UnsavedList::kCancel;
}

// Only 放弃 discards: closing the question restores, which loses nothing.
Dialogs::Recovery QtDialogs::AskAboutRecovery(QWidget* parent) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Sumvane"),
                  QStringLiteral("上次未正常退出，是否恢复未导出的数据？"), QMessageBox::NoButton,
                  parent);
  QPushButton* restoreButton = box.addButton(QStringLiteral("恢复"), QMessageBox::AcceptRole);
  QPushButton* discardButton = box.addButton(QStringLiteral("放弃"), QMessageBox::DestructiveRole);
  box.setDefaultButton(restoreButton);
  box.setEscapeButton(restoreButton);
  box.exec();
  return box.clickedButton() == discardButton ? Recovery::kDiscard : Recovery::kRestore;
}

void QtDialogs::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

}  // namespace sumvane
