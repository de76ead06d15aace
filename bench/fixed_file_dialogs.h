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
  std::optional<QString> AskSaveFileName(QWidget*) override { return std::nullopt; }
  std::optional<QString> AskOpenFileName(QWidget*) override { return path_; }
  void OpenUrl(const QUrl&) override {}

 private:
  QString path_;
};

}  // namespace sumvane::bench
