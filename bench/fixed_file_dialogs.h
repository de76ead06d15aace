// Dialogs for benchmarks: the open dialog answers with a fixed file, every
// other dialog is cancelled or ignored, so nothing blocks in a modal loop.
#pragma once

#include <QString>
#include <optional>
#include <utility>

#include "app/dialogs.h"

namespace sumvane::bench {

class FixedFileDialogs : public Dialogs {
 public:
  explicit FixedFileDialogs(QString path) : path_(std::move(path)) {}
  void ShowMessage(QWidget*, const QString&) override {}
  std::optional<QString> AskSaveFileName(QWidget*, const QString&) override { return std::nullopt; }
  std::optional<QString> AskOpenFileName(QWidget*) override { return path_; }
  std::optional<QString> AskReportFileName(QWidget*) override { return std::nullopt; }
  bool SetUpPrinter(QWidget*, QPrinter&) override { return false; }
  UnsavedList AskAboutUnsavedList(QWidget*) override { return UnsavedList::kDiscard; }
  Recovery AskAboutRecovery(QWidget*) override { return Recovery::kDiscard; }
  void OpenUrl(const QUrl&) override {}

 private:
  QString path_;
};

}  // namespace sumvane::bench
