#include "app/table_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/widget_kit.h"

namespace sumvane {
namespace {

const QColor kRowMark{0xFF, 0xF2, 0xB3};
const QColor kCellMark{0xFF, 0xC9, 0x4D};

QString HeaderNote(CriticalTable table) {
  switch (table) {
    case CriticalTable::kChiSquare:
      return QStringLiteral("列：上侧概率P；行：自由度ν");
    case CriticalTable::kR:
      return QStringLiteral("列：概率P（上行双侧，下行单侧）；行：自由度ν=n-2");
    case CriticalTable::kT:
      break;
  }
  return QStringLiteral("列：概率P（上行双侧，下行单侧）；行：自由度ν");
}

}  // namespace

QString TableTitle(CriticalTable table) {
  switch (table) {
    case CriticalTable::kChiSquare:
      return QStringLiteral("x2界值表");
    case CriticalTable::kR:
      return QStringLiteral("r界值表");
    case CriticalTable::kT:
      break;
  }
  return QStringLiteral("t界值表");
}

TableWindow::TableWindow(QWidget* owner, CriticalTable table)
    : QWidget(owner, Qt::Window), table_(table) {
  setObjectName(QStringLiteral("TableWindow"));
  setWindowTitle(TableTitle(table));
  // Closing the main window ends the program, whatever else is open.
  setAttribute(Qt::WA_QuitOnClose, false);

  const TableGrid& grid = CriticalTableGrid(table);
  const int columns = grid.headers.empty() ? 0 : int(grid.headers.front().probabilities.size());
  grid_ = new QTableWidget(int(grid.rows.size()), columns, this);
  grid_->setObjectName(QStringLiteral("TableGrid"));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  for (int c = 0; c < columns; ++c) {
    QStringList lines;
    for (const TableGrid::Header& header : grid.headers) {
      lines << kit::Q(header.probabilities[static_cast<std::size_t>(c)]);
    }
    grid_->setHorizontalHeaderItem(c, new QTableWidgetItem(lines.join(QLatin1Char('\n'))));
  }
  for (int r = 0; r < int(grid.rows.size()); ++r) {
    const TableGrid::Row& row = grid.rows[static_cast<std::size_t>(r)];
    grid_->setVerticalHeaderItem(r, new QTableWidgetItem(kit::Q(row.label)));
    for (int c = 0; c < columns && c < int(row.cells.size()); ++c) {
      auto* item = new QTableWidgetItem(kit::Q(row.cells[static_cast<std::size_t>(c)]));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid_->setItem(r, c, item);
    }
  }
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  grid_->horizontalHeader()->setMinimumSectionSize(56);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

  auto* note = new QLabel(HeaderNote(table), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addWidget(grid_);
  resize(720, 520);
}

void TableWindow::PointAt(const std::optional<TableRow>& row,
                          const std::optional<TableLookUp>& lookUp) {
  const TableGrid& grid = CriticalTableGrid(table_);
  for (int r = 0; r < grid_->rowCount(); ++r) {
    const bool rowMarked = row && grid.rows[static_cast<std::size_t>(r)].line == row->line;
    for (int c = 0; c < grid_->columnCount(); ++c) {
      QTableWidgetItem* item = grid_->item(r, c);
      if (item == nullptr) continue;
      const bool cellMarked = rowMarked && lookUp &&
                              ((lookUp->below && lookUp->below->column == c) ||
                               (lookUp->above && lookUp->above->column == c));
      item->setBackground(cellMarked ? kCellMark : rowMarked ? kRowMark : QBrush());
      if (cellMarked) grid_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
    }
    if (rowMarked && !lookUp) {
      grid_->scrollToItem(grid_->item(r, 0), QAbstractItemView::PositionAtCenter);
    }
  }
}

}  // namespace sumvane
