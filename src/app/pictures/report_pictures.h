// The pictures of the report of the panel on show. They are drawn when asked
// (the report window asks once typing pauses) and kept until the next draw,
// so that the report's text can follow every keystroke with the pictures last
// drawn.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace sumvane {

class AnalysisPanel;
class Dialogs;
class ReportWindow;
class SampleList;

class ReportPictureSet {
 public:
  ReportPictureSet(std::function<const AnalysisPanel&()> panel,
                   std::function<const SampleList&()> list);

  // Draws both pictures from the panel's figures as they stand.
  void Redraw();
  // The panel's report with the pictures last drawn for that panel.
  std::string ReportHtml() const;

 private:
  std::function<const AnalysisPanel&()> panel_;
  std::function<const SampleList&()> list_;
  const AnalysisPanel* drawnFor_ = nullptr;
  std::string data_, test_;
};

// The report window of the main window, its text and pictures following the
// panel on show.
ReportWindow* MakeReportWindow(QWidget* owner, std::function<const AnalysisPanel&()> panel,
                               std::function<const SampleList&()> list,
                               std::function<Dialogs&()> dialogs);

}  // namespace sumvane
