// The list view L1 over the sample list, with its header and its pop-up menu.
// Its selection model is the one record of the row the user chose.
#pragma once

#include <QTreeView>
#include <optional>

class QMenu;

namespace sumvane {

class SampleListModel;

class SampleListView : public QTreeView {
  Q_OBJECT

 public:
  SampleListView(QWidget* client, SampleListModel* model, QMenu* popup);

  // The chosen row by its position 1..Count(); none when no row is chosen.
  std::optional<int> SelectedRow() const;

 signals:
  // The user clicked or activated the row at this position, now selected.
  void RowChosen(int position);

 protected:
  bool viewportEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QMenu* popup_;
};

// The position of the row selected in a selection model over the list.
std::optional<int> SelectedPosition(const QItemSelectionModel* selection);

}  // namespace sumvane
