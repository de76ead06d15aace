#include "app/sample_list_model.h"

#include <QString>

namespace sumvane {

SampleListModel::SampleListModel(QObject* parent) : QAbstractTableModel(parent) {}

int SampleListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : list_.Count();
}

int SampleListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 3;
}

QModelIndex SampleListModel::index(int row, int column, const QModelIndex& parent) const {
  if (parent.isValid() || row < 0 || row >= list_.Count() || column < 0 || column >= 3) return {};
  return createIndex(row, column);
}

Qt::ItemFlags SampleListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

QVariant SampleListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  const int position = index.row() + 1;
  const auto text =
      index.column() == 0 ? list_.RowLabel(position) : list_.Cell(position, index.column());
  if (!text) return {};
  return QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size()));
}

QVariant SampleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case 0:
      return QStringLiteral("序号");
    case 1:
      return QStringLiteral("第1组");
    case 2:
      return QStringLiteral("第2组");
    default:
      return {};
  }
}

void SampleListModel::Clear() {
  beginResetModel();
  list_.Clear();
  endResetModel();
  emit ListChanged({});
}

bool SampleListModel::AppendRow(std::string label) {
  const int row = list_.Count();
  if (row >= SampleList::kMaxRows) return false;
  beginInsertRows(QModelIndex(), row, row);
  const bool added = list_.AppendRow(std::move(label));
  endInsertRows();
  emit ListChanged({});
  return added;
}

bool SampleListModel::SetCell(int position, int group, std::string text) {
  if (!list_.SetCell(position, group, std::move(text))) return false;
  const QModelIndex changed = index(position - 1, group);
  emit dataChanged(changed, changed, {Qt::DisplayRole});
  emit ListChanged({});
  return true;
}

bool SampleListModel::RemoveRow(int position) {
  if (position < 1 || position > list_.Count()) return false;
  beginRemoveRows(QModelIndex(), position - 1, position - 1);
  list_.RemoveRow(position);
  endRemoveRows();
  emit ListChanged({});
  return true;
}

// The view hears of exactly the rows that changed: a whole list is a reset,
// rows replaced one for one are changed data, others are removed and inserted.
bool SampleListModel::ReplaceRows(int first, int count, std::vector<SampleRow> rows,
                                  const ListChange& change) {
  const int added = static_cast<int>(rows.size());
  if (first < 1 || count < 0 || first - 1 + count > list_.Count() ||
      list_.Count() - count + added > SampleList::kMaxRows) {
    return false;
  }
  if (first == 1 && count == list_.Count()) return Assign(std::move(rows), change);
  if (count == added) {
    list_.ReplaceRows(first, count, std::move(rows));
    if (count > 0) emit dataChanged(index(first - 1, 0), index(first + count - 2, 2));
    emit ListChanged(change);
    return true;
  }
  if (count > 0) {
    beginRemoveRows(QModelIndex(), first - 1, first + count - 2);
    list_.ReplaceRows(first, count, {});
    endRemoveRows();
  }
  if (added > 0) {
    beginInsertRows(QModelIndex(), first - 1, first + added - 2);
    list_.ReplaceRows(first, 0, std::move(rows));
    endInsertRows();
  }
  emit ListChanged(change);
  return true;
}

bool SampleListModel::Assign(std::vector<SampleRow> rows, const ListChange& change) {
  if (rows.size() > static_cast<std::size_t>(SampleList::kMaxRows)) return false;
  beginResetModel();
  list_.Assign(std::move(rows));
  endResetModel();
  emit ListChanged(change);
  return true;
}

}  // namespace sumvane
