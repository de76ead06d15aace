// The worked calculation of the analysis on show, in a resizable window
// beside the main one: a QTextBrowser named ReportText that follows the panel
// live, and the commands that take the report out of the program (copy as
// HTML and plain text, save as HTML or PDF, print).
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

class QAction;
class QTextBrowser;
class QTextDocument;

namespace sumvane {

class Dialogs;

class ReportWindow : public QWidget {
  Q_OBJECT

 public:
  // The report as it stands, as HTML.
  using Source = std::function<std::string()>;

  ReportWindow(QWidget* owner, Source source, std::function<Dialogs&()> dialogs);

  // Shows the window beside its owner, with the report as it stands.
  void Open();
  // The panel changed: the report is rewritten as soon as the change is
  // handled, once however many figures the change wrote.
  void Refresh();

  void CopyReport();
  void SaveReport();
  void PrintReport();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Rewrite();
  void PlaceBesideOwner();
  // The report laid out for paper, in the window's face.
  std::unique_ptr<QTextDocument> PrintableDocument() const;
  bool WritePdf(const QString& path) const;

  Source source_;
  std::function<Dialogs&()> dialogs_;
  QTextBrowser* text_ = nullptr;
  QTimer rewrite_;
  std::string html_;
};

}  // namespace sumvane
