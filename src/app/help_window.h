// The help page in a window of the program's own, so that help needs no
// browser: a QTextBrowser named HelpText, resizable and non-modal, with
// working links between its sections. A link that leaves the page is offered
// to the desktop's browser.
#pragma once

#include <QWidget>
#include <functional>

class QTextBrowser;

namespace sumvane {

class Dialogs;

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow(QWidget* owner, std::function<Dialogs&()> dialogs);

  void Open();

 private:
  std::function<Dialogs&()> dialogs_;
  QTextBrowser* text_ = nullptr;
};

// The page installed beside the program under share/, or copied next to it
// in a build; else the copy compiled into the program.
QUrl HelpPage();

}  // namespace sumvane
