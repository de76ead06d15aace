#include "app/list_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOption>

#include "app/sample_list_model.h"
#include "app/twips.h"

namespace sumvane {
namespace {

// Qt measures header sections in bold, for sections drawn bold when their
// column is selected; this header never highlights, so it measures in its own
// face and the program never loads a bold face just to size the header.
class ListHeader : public QHeaderView {
 public:
  explicit ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setHighlightSections(false);
    // As the tree view's own header would be.
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setStretchLastSection(true);
  }

 protected:
  QSize sectionSizeFromContents(int logicalIndex) const override {
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.section = logicalIndex;
    option.text = model()->headerData(logicalIndex, orientation()).toString();
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
  }
};

}  // namespace

std::optional<int> SelectedPosition(const QItemSelectionModel* selection) {
  const QModelIndexList rows = selection->selectedRows();
  if (rows.isEmpty()) return std::nullopt;
  return rows.first().row() + 1;
}

SampleListView::SampleListView(QWidget* client, SampleListModel* model, QMenu* popup)
    : QTreeView(client), popup_(popup) {
  setObjectName(QStringLiteral("L1"));
  setHeader(new ListHeader(this));
  setModel(model);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setAllColumnsShowFocus(true);
  header()->setSectionResizeMode(QHeaderView::Stretch);
  header()->setSectionsMovable(false);
  setToolTip(QStringLiteral("选择后再选定组数在输入框内修改数据"));
  setAccessibleName(QStringLiteral("样本数据列表"));
  PlaceTwips(this, 2280, 525, 5885, 3165);

  // A click that leaves no row selected (Ctrl on the chosen row) chooses none.
  auto chosen = [this] {
    if (const auto row = SelectedRow()) emit RowChosen(*row);
  };
  connect(this, &QTreeView::clicked, this, chosen);
  connect(this, &QTreeView::activated, this, chosen);
}

std::optional<int> SampleListView::SelectedRow() const {
  return SelectedPosition(selectionModel());
}

// The pop-up opens when the right button is released, as the menu key opens
// it; the press alone does nothing.
bool SampleListView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) {
      popup_->popup(mouse->globalPosition().toPoint());
      return true;
    }
  }
  return QTreeView::viewportEvent(event);
}

void SampleListView::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Keyboard) {
    popup_->popup(viewport()->mapToGlobal(QPoint(0, 0)));
  }
  event->accept();
}

}  // namespace sumvane
