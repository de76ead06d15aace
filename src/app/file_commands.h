// The commands that reach outside the window: import and export of the list,
// as the fixed-width text file or a table file (CSV) by the name's suffix, a
// data file dropped on the window, and the question before the list is
// discarded. Every dialog goes through the Dialogs the window holds.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "entry/sample_list.h"

class QUndoStack;
class QWidget;

namespace sumvane {

class Dialogs;
class SampleListModel;

class FileCommands : public QObject {
  Q_OBJECT

 public:
  // An import is a step on `undo`.
  FileCommands(QWidget* window, SampleListModel* model, QUndoStack* undo,
               std::function<Dialogs&()> dialogs);

  // True when the list was replaced.
  bool Import(Dialogs& dialogs);
  bool ImportFile(const QString& path, Dialogs& dialogs);
  // True when the list was written.
  bool Export(Dialogs& dialogs);
  // Before the list is discarded (the window closes): false when the user
  // keeps it, having been offered the export of changes never saved.
  bool MayDiscardList(Dialogs& dialogs);

 protected:
  // A data file dropped on the window is imported.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  SampleListModel* model_;
  QUndoStack* undo_;
  std::function<Dialogs&()> dialogs_;
  // The list as last exported or imported, and the file it went to or came
  // from, which the next export proposes.
  std::vector<SampleRow> saved_;
  QString lastFile_;
};

}  // namespace sumvane
