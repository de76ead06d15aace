// Shows the SampleList in the list view without one widget item per cell, so
// that a full list of 32,767 rows loads and scrolls at once. Every change to
// the list goes through this adapter, which tells the view what changed.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "entry/sample_list.h"

namespace sumvane {

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

  // The list's operations, positions 1..Count() as in SampleList.
  void Clear();
  bool AppendRow(std::string label);
  bool SetCell(int position, int group, std::string text);
  bool RemoveRow(int position);
  bool Assign(std::vector<SampleRow> rows);
  bool ReplaceRows(int first, int count, std::vector<SampleRow> rows);

 private:
  SampleList list_;
};

}  // namespace sumvane
