// The commands that reach outside the window: import and export of the list,
// and the help page. Every dialog goes through the Dialogs the caller passes.
#pragma once

class QWidget;

namespace sumvane {

class Dialogs;
class SampleListModel;

class FileCommands {
 public:
  FileCommands(QWidget* window, SampleListModel* model);

  // True when the list was replaced.
  bool Import(Dialogs& dialogs);
  void Export(Dialogs& dialogs);
  void OpenHelp(Dialogs& dialogs);

 private:
  QWidget* window_;
  SampleListModel* model_;
};

}  // namespace sumvane
