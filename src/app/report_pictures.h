// The pictures of the report of the panel on show. They are drawn when asked
// (the report window asks once typing pauses) and kept until the next draw,
// so that the report's text can follow every keystroke with the pictures last
// drawn. On screen the report names each picture and the window holds the
// images; only a report that leaves the program carries them as PNG.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "app/report_window.h"
#include "pictures/picture.h"

class QWidget;

namespace sumvane {

class AnalysisPanel;
class Dialogs;
class SampleList;

class ReportPictureSet {
 public:
  ReportPictureSet(std::function<const AnalysisPanel&()> panel,
                   std::function<const SampleList&()> list);

  // Draws the pictures from the panel's figures as they stand: the data's,
  // the test's, and the Q–Q pictures of the check of normality.
  void Redraw();
  // The panel's report with the pictures last drawn for that panel, named,
  // and the images those names stand for.
  ReportContent ShownReport() const;
  // The same report with the pictures written into it as PNG data.
  std::string ReportHtml() const;

 private:
  struct Drawn {
    DrawnPicture picture;
    QString name;  // made from its pixels: a picture drawn again alike keeps it
  };
  static Drawn Named(DrawnPicture picture);

  std::function<const AnalysisPanel&()> panel_;
  std::function<const SampleList&()> list_;
  const AnalysisPanel* drawnFor_ = nullptr;
  Drawn data_, test_;
  std::vector<Drawn> qq_;
  std::vector<Drawn> forests_;
};

// The report window of the main window, its text and pictures following the
// panel on show.
// predictAt receives the X0 typed into the report window's PredictX box.
ReportWindow* MakeReportWindow(QWidget* owner, std::function<const AnalysisPanel&()> panel,
                               std::function<const SampleList&()> list,
                               std::function<Dialogs&()> dialogs,
                               std::function<void(std::optional<double>)> predictAt = {});

}  // namespace sumvane
