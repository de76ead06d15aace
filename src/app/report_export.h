// What a window of worked text shares with any other: the pictures it keeps
// in its document, and taking the page out of the program (copied as HTML and
// plain text, saved as HTML or PDF, printed). The report window and the
// sample-size window both use it.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

class QTextBrowser;
class QWidget;

namespace sumvane {

class Dialogs;

// A picture the page shows, under the name its HTML gives it.
struct ReportImage {
  QString name;
  QImage image;
};

// The page as HTML, with the images it names.
struct ReportContent {
  std::string html;
  std::vector<ReportImage> images;
  // The report predicts Y at the X0 of the report window's PredictX box.
  bool asksX0 = false;
};

namespace report_out {

// The page's face and size on screen and on paper.
inline constexpr double kPointSize = 10.5;

// The images the page names, kept in the browser's document at the pixels
// they cover on the screen; those in `held` it no longer names are released.
// Returns the names now held.
QStringList HoldImages(QTextBrowser& text, const std::vector<ReportImage>& images,
                       const QStringList& held);

// The page onto the clipboard, as HTML and as the plain text shown.
void Copy(const std::string& html, const QString& plainText);

// Ctrl+C in the page with nothing selected runs `copyAll`; with a selection
// the browser copies the selection as usual.
void CopyAllOnCtrlC(QTextBrowser& text, std::function<void()> copyAll);
// Asks where, then writes the page made by `html` as HTML or PDF by the
// suffix, and says so when that fails. The window's title is the document's.
using PageMaker = std::function<std::string()>;
void Save(QWidget* window, Dialogs& dialogs, const PageMaker& html);
// Asks for the printer, then prints the page made by `html`.
void Print(QWidget* window, Dialogs& dialogs, const PageMaker& html);

}  // namespace report_out
}  // namespace sumvane
