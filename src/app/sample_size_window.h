// Planning a study: a non-modal, resizable window named SampleSizeWindow in
// which the user picks one of the five designs (ssDesign), types α, 1 − β and
// what the design needs into the boxes it shows, and reads the worked plan in
// SampleSizeText as they type: the formula with their figures, n rounded up,
// the exact answer, the power at a given n and the power curve. The engine
// (stats/sample_size*.h) computes, the report writes the page, the pictures
// library draws the curve; this window only binds them. The page is copied,
// saved and printed as the report window does (report_export.h).
#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "pictures/picture.h"
#include "stats/sample_size_inputs.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QTextBrowser;

namespace sumvane {

class Dialogs;

class SampleSizeWindow : public QWidget {
  Q_OBJECT

 public:
  SampleSizeWindow(QWidget* owner, std::function<Dialogs&()> dialogs);

  void Open();
  void CopyReport();
  void SaveReport();
  void PrintReport();

 private:
  static constexpr int kCurvePause = 60;
  static constexpr int kFieldCount = 9;

  // The curve drawn now and the page rewritten with it.
  void Settle();
  void ShowDesign();
  // The page follows every keystroke; the curve is redrawn once typing pauses.
  void Recalculate();
  void DrawCurve();
  void Rewrite();
  SampleSizeAnswer Answer() const;
  // The page with the curve last drawn, named for the screen or as PNG data.
  std::string Page(bool exported) const;

  std::function<Dialogs&()> dialogs_;
  QComboBox* design_ = nullptr;
  QComboBox* sides_ = nullptr;
  QFormLayout* form_ = nullptr;
  std::array<QLineEdit*, kFieldCount> boxes_{};
  std::array<QLabel*, kFieldCount> labels_{};
  QTextBrowser* text_ = nullptr;
  QTimer curveTimer_;
  SampleSizeAnswer answer_;
  DrawnPicture curve_;
  bool curveDrawn_ = false;  // since the window opened
  int curveNumber_ = 0;
  QString curveName_;
  QStringList held_;
  std::string html_;
};

}  // namespace sumvane
