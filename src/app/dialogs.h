// Every modal dialog and every hand-over to the desktop goes through this
// interface, so that tests can answer dialogs without blocking in a modal loop.
#pragma once

#include <QString>
#include <QUrl>
#include <optional>

class QWidget;

namespace sumvane {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal message with an OK button.
  virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
  // The chosen file, or nothing when the user cancelled.
  virtual std::optional<QString> AskSaveFileName(QWidget* parent) = 0;
  virtual std::optional<QString> AskOpenFileName(QWidget* parent) = 0;
  // Opens a page in the user's web browser; whether it opened is not reported.
  virtual void OpenUrl(const QUrl& url) = 0;
};

// The real Qt dialogs, centred on their parent.
class QtDialogs : public Dialogs {
 public:
  void ShowMessage(QWidget* parent, const QString& text) override;
  std::optional<QString> AskSaveFileName(QWidget* parent) override;
  std::optional<QString> AskOpenFileName(QWidget* parent) override;
  void OpenUrl(const QUrl& url) override;
};

}  // namespace sumvane
