// The commands that reach outside the window: import and export of the list.
// Every dialog goes through the Dialogs the caller passes.
#pragma once

#include <vector>

#include "entry/sample_list.h"

class QUndoStack;
class QWidget;

namespace sumvane {

class Dialogs;
class SampleListModel;

class FileCommands {
 public:
  // An import is a step on `undo`.
  FileCommands(QWidget* window, SampleListModel* model, QUndoStack* undo);

  // Whether the list holds changes never exported nor imported.
  bool ListChangedSinceSaved() const;

  // True when the list was replaced.
  bool Import(Dialogs& dialogs);
  // True when the list was written.
  bool Export(Dialogs& dialogs);

 private:
  QWidget* window_;
  SampleListModel* model_;
  QUndoStack* undo_;
  // The list as last exported or imported.
  std::vector<SampleRow> saved_;
};

}  // namespace sumvane
