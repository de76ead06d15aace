// The worked calculation of the analysis on show, in a resizable window
// beside the main one: a QTextBrowser named ReportText that follows the panel
// live, and the commands that take the report out of the program (copy as
// HTML and plain text, save as HTML or PDF, print).
#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "app/report_export.h"

class QAction;
class QTextBrowser;

namespace sumvane {

class Dialogs;

class ReportWindow : public QWidget {
  Q_OBJECT

 public:
  // The report as it stands: as shown, its pictures named; and as it leaves
  // the program (copied, saved, printed), its pictures written in as PNG.
  using Shown = std::function<ReportContent()>;
  using Exported = std::function<std::string()>;

  // drawPictures, when given, redraws the pictures the sources put in the
  // report; it is run once typing pauses, and before the report leaves the
  // program.
  // predictAt, when given, receives the X0 typed into the PredictX box (none
  // when the box holds no number).
  ReportWindow(QWidget* owner, Shown shown, Exported exported, std::function<Dialogs&()> dialogs,
               std::function<void()> drawPictures = {},
               std::function<void(std::optional<double>)> predictAt = {});

  // Shows the window beside its owner, with the report as it stands.
  void Open();
  // The panel changed: the report is rewritten as soon as the change is
  // handled, once however many figures the change wrote; its pictures are
  // redrawn when no change has come for kPicturePause ms.
  void Refresh();

  void CopyReport();
  void SaveReport();
  void PrintReport();

 private:
  static constexpr int kPicturePause = 60;

  void Rewrite();
  // The pictures redrawn and the report rewritten with them.
  void Settle();
  void PlaceBesideOwner();

  Shown shown_;
  Exported exported_;
  std::function<Dialogs&()> dialogs_;
  QTextBrowser* text_ = nullptr;
  QAction* predictBox_ = nullptr;
  std::function<void()> drawPictures_;
  QTimer rewrite_;
  QTimer pictures_;
  std::string html_;
  QStringList held_;
};

}  // namespace sumvane
