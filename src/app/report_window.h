// The worked calculation of the analysis on show, in a resizable window
// beside the main one: a QTextBrowser named ReportText that follows the panel
// live, and the commands that take the report out of the program (copy as
// HTML and plain text, save as HTML or PDF, print).
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "app/pictures/document_images.h"

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

  // drawPictures, when given, redraws the pictures the source puts in the
  // report; it is run once typing pauses, and before the report leaves the
  // program.
  ReportWindow(QWidget* owner, Source source, std::function<Dialogs&()> dialogs,
               std::function<void()> drawPictures = {});

  // Shows the window beside its owner, with the report as it stands.
  void Open();
  // The panel changed: the report is rewritten as soon as the change is
  // handled, once however many figures the change wrote; its pictures are
  // redrawn when no change has come for kPicturePause ms.
  void Refresh();

  void CopyReport();
  void SaveReport();
  void PrintReport();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static constexpr int kPicturePause = 60;

  void Rewrite();
  // The pictures redrawn and the report rewritten with them.
  void Settle();
  void PlaceBesideOwner();
  // The report laid out for paper, in the window's face.
  std::unique_ptr<QTextDocument> PrintableDocument() const;
  bool WritePdf(const QString& path) const;

  Source source_;
  std::function<Dialogs&()> dialogs_;
  QTextBrowser* text_ = nullptr;
  std::function<void()> drawPictures_;
  QTimer rewrite_;
  QTimer pictures_;
  std::string html_;
  DocumentImages images_;
};

}  // namespace sumvane
