// Every modal dialog and every hand-over to the desktop goes through this
// interface, so that tests can answer dialogs without blocking in a modal loop.
#pragma once

#include <QString>
#include <QUrl>
#include <optional>

class QPrinter;
class QWidget;

namespace sumvane {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal message with an OK button.
  virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
  // The chosen data file, or nothing when the user cancelled. The save dialog
  // starts at `proposed` (a path or a bare name).
  virtual std::optional<QString> AskSaveFileName(QWidget* parent, const QString& proposed) = 0;
  virtual std::optional<QString> AskOpenFileName(QWidget* parent) = 0;
  // Where to save the report: its suffix, .html or .pdf, decides the format.
  virtual std::optional<QString> AskReportFileName(QWidget* parent) = 0;
  // The print dialog sets the printer up; false when the user cancelled.
  virtual bool SetUpPrinter(QWidget* parent, QPrinter& printer) = 0;
  // What to do with list changes never exported, before they are discarded.
  enum class UnsavedList { kExport, kDiscard, kCancel };
  virtual UnsavedList AskAboutUnsavedList(QWidget* parent) = 0;
  // What to do with the work a window left when it ended without a normal
  // exit: restore it, or discard it for good.
  enum class Recovery { kRestore, kDiscard };
  virtual Recovery AskAboutRecovery(QWidget* parent) = 0;
  // Opens a page in the user's web browser; whether it opened is not reported.
  virtual void OpenUrl(const QUrl& url) = 0;
};

// The real Qt dialogs, centred on their parent.
class QtDialogs : public Dialogs {
 public:
  void ShowMessage(QWidget* parent, const QString& text) override;
  std::optional<QString> AskSaveFileName(QWidget* parent, const QString& proposed) override;
  std::optional<QString> AskOpenFileName(QWidget* parent) override;
  std::optional<QString> AskReportFileName(QWidget* parent) override;
  bool SetUpPrinter(QWidget* parent, QPrinter& printer) override;
  UnsavedList AskAboutUnsavedList(QWidget* parent) override;
  Recovery AskAboutRecovery(QWidget* parent) override;
  void OpenUrl(const QUrl& url) override;
};

}  // namespace sumvane
