// Shows the SampleList in the list view without one widget item per cell, so
// that a full list of 32,767 rows loads and scrolls at once. Every change to
// the list goes through this adapter, which tells the view what changed and
// then announces the change once (ListChanged) to those who follow the list:
// the window, which passes it on to the panel on show.
#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <string>
#include <vector>

#include "entry/sample_list.h"

namespace sumvane {

// What the step that changed the list tells those who follow it. A change
// undone or redone is a change of rows at large, told with nothing set.
struct ListChange {
  // An Enter stored a value into this group: the panel computes that group.
  std::optional<int> enteredGroup = std::nullopt;
  // The row the user's step ended at, brought into view; Count() is the
  // bottom of the list.
  std::optional<int> shownRow = std::nullopt;
  // The list was emptied because another analysis was chosen: every panel
  // keeps its figures.
  bool analysisChosen = false;
};

class SampleListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit SampleListModel(QObject* parent = nullptr);

  const SampleList& List() const { return list_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  // The tree view lays out every row again after each insertion, asking for
  // each row's index and, twice, its flags: these answer without the generic
  // checks, which ask rowCount and columnCount on every call.
  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // The list's operations, positions 1..Count() as in SampleList; each that
  // changes the list announces `change`.
  void Clear();
  bool AppendRow(std::string label);
  bool SetCell(int position, int group, std::string text);
  bool RemoveRow(int position);
  bool Assign(std::vector<SampleRow> rows, const ListChange& change = {});
  bool ReplaceRows(int first, int count, std::vector<SampleRow> rows,
                   const ListChange& change = {});
  // Announces `change` with the list as it is: a command that would have
  // changed it and found nothing to change still has the panel recompute, as
  // an Enter that stored nothing recomputes its group.
  void Announce(const ListChange& change) { emit ListChanged(change); }

 signals:
  void ListChanged(const sumvane::ListChange& change);

 private:
  SampleList list_;
};

}  // namespace sumvane
