#include "app/reference_tables.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QtMath>
#include <algorithm>
#include <functional>
#include <string>

#include "app/analyses.h"
#include "app/table_window.h"
#include "app/twips.h"
#include "app/widget_kit.h"

namespace sumvane {
namespace {

const QColor kRowMark{0xFF, 0xF2, 0xB3};
const QColor kCellMark{0xFF, 0xC9, 0x4D};

QFont TableFont() {
  static const QString family = kit::FirstInstalled(
      {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Sans Mono CJK SC"),
       QStringLiteral("Noto Sans CJK SC")});
  QFont font(family);
  font.setPointSizeF(9);
  return font;
}

}  // namespace

// A table's box. It receives its face and text as it first appears: a table a
// session never shows costs almost nothing, and a table is never seen without
// its text. What it points at waits for the text too. Its first column, the
// degrees of freedom, stays in place while the rest scrolls sideways, so that
// the row it points at can be read beside the cells far to the right.
class ReferenceTable : public QPlainTextEdit {
 public:
  ReferenceTable(QWidget* client, CriticalTable table, const char* name, const QString& spoken)
      : QPlainTextEdit(client), table_(table), frozen_(new FrozenColumn(this)) {
    setObjectName(QLatin1String(name));
    setAccessibleName(spoken);
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    kit::SetColours(this, kit::kTableText, kit::kTableBack);
    PlaceTwips(this, 0, 3540, 2235, 2915);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, frozen_,
            qOverload<>(&QWidget::update));
    connect(this, &QPlainTextEdit::updateRequest, frozen_, qOverload<>(&QWidget::update));
  }

  CriticalTable Table() const { return table_; }
  std::function<void()> onDoubleClick;

  void PointAt(const std::optional<TableRow>& row, const std::optional<TableLookUp>& lookUp) {
    row_ = row;
    lookUp_ = lookUp;
    if (loaded_) Highlight();
  }

 protected:
  void showEvent(QShowEvent* event) override {
    if (!loaded_) {
      const QFont font = TableFont();
      setFont(font);
      // Tab stops every eight columns, where the blank-padded header lines put them.
      setTabStopDistance(8 * QFontMetricsF(font).horizontalAdvance(QLatin1Char('0')));
      setPlainText(
          kit::Q(CriticalTableText(table_)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
      loaded_ = true;
      PlaceFrozenColumn();
      Highlight();
    }
    QPlainTextEdit::showEvent(event);
  }

  void mouseDoubleClickEvent(QMouseEvent*) override {
    if (onDoubleClick) onDoubleClick();
  }

  void resizeEvent(QResizeEvent* event) override {
    QPlainTextEdit::resizeEvent(event);
    PlaceFrozenColumn();
  }

 private:
  void PlaceFrozenColumn() {
    const QRect view = viewport()->geometry();
    frozen_->setGeometry(view.left(), view.top(), FrozenWidth(), view.height());
  }

  QTextEdit::ExtraSelection Mark(int line, const LineSpan& span, const QColor& colour,
                                 bool fullWidth) const {
    QTextEdit::ExtraSelection mark;
    const QTextBlock block = document()->findBlockByNumber(line);
    mark.cursor = QTextCursor(block);
    mark.cursor.setPosition(block.position() + span.start);
    mark.cursor.setPosition(block.position() + span.start + span.length, QTextCursor::KeepAnchor);
    mark.format.setBackground(colour);
    if (fullWidth) mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    return mark;
  }

  // The column of degrees of freedom, drawn unscrolled over the left of the
  // view; a title centred over the whole table, which starts with blanks,
  // scrolls with the rest.
  class FrozenColumn : public QWidget {
   public:
    explicit FrozenColumn(ReferenceTable* table) : QWidget(table), table_(table) {
      setObjectName(QStringLiteral("FrozenColumn"));
      setAttribute(Qt::WA_TransparentForMouseEvents);
    }

   protected:
    void paintEvent(QPaintEvent*) override {
      QPainter painter(this);
      QPointF offset = table_->contentOffset();
      offset.setX(0);
      for (QTextBlock block = table_->firstVisibleBlock(); block.isValid() && offset.y() < height();
           block = block.next()) {
        const QRectF line = table_->blockBoundingRect(block).translated(offset);
        if (!block.text().startsWith(QLatin1Char(' '))) {
          // The row mark as the table draws it, across the line from its text on.
          QList<QTextLayout::FormatRange> marks;
          if (table_->row_ && block.blockNumber() == table_->row_->line) {
            QTextLayout::FormatRange mark{0, block.length(), {}};
            mark.format.setBackground(kRowMark);
            mark.format.setProperty(QTextFormat::FullWidthSelection, true);
            marks << mark;
          }
          painter.fillRect(QRectF(0, line.top(), width(), line.height()), kit::kTableBack);
          painter.setPen(table_->palette().text().color());
          block.layout()->draw(&painter, offset, marks, rect());
          painter.setPen(kit::kTableBack.darker(130));
          painter.drawLine(QLineF(width() - 0.5, line.top(), width() - 0.5, line.bottom()));
        }
        offset.ry() += line.height();
      }
    }

   private:
    ReferenceTable* table_;
  };

  // From the left of the view to the second column.
  int FrozenWidth() const { return qCeil(document()->documentMargin() + tabStopDistance()); }

  // Where a character of the marked row stands, the view scrolled to its left.
  int TextX(int column) const {
    QTextCursor at(document()->findBlockByNumber(row_->line));
    at.setPosition(at.position() + column);
    return cursorRect(at).left() + horizontalScrollBar()->value();
  }

  // The row first, then the cells over it; the view scrolls to show the row
  // and, beside the frozen column, whole columns up to the last marked cell,
  // starting no further right than the first one.
  void Highlight() {
    QList<QTextEdit::ExtraSelection> marks;
    if (row_) {
      marks << Mark(row_->line, row_->span, kRowMark, true);
      QTextCursor at(document()->findBlockByNumber(row_->line));
      setTextCursor(at);
      ensureCursorVisible();
    }
    if (row_ && lookUp_) {
      int first = row_->span.start + row_->span.length, last = 0;
      for (const auto& cell : {lookUp_->above, lookUp_->below}) {
        if (!cell) continue;
        marks << Mark(row_->line, cell->span, kCellMark, false);
        first = std::min(first, cell->span.start);
        last = std::max(last, cell->span.start + cell->span.length);
      }
      const double column = tabStopDistance();
      const double needed = (TextX(last) - viewport()->width()) / column;
      const double allowed = (TextX(first) - FrozenWidth()) / column;
      horizontalScrollBar()->setValue(
          qRound(std::clamp(std::ceil(needed), 0.0, std::floor(allowed + 0.5)) * column));
    }
    setExtraSelections(marks);
    frozen_->update();
  }

  CriticalTable table_;
  FrozenColumn* frozen_;
  bool loaded_ = false;
  std::optional<TableRow> row_;
  std::optional<TableLookUp> lookUp_;
};

ReferenceTables::ReferenceTables(QWidget* client) : QObject(client) {
  tables_ = {
      new ReferenceTable(client, CriticalTable::kT, "Text14", QStringLiteral("t界值表")),
      new ReferenceTable(client, CriticalTable::kChiSquare, "Text16", QStringLiteral("x2界值表")),
      new ReferenceTable(client, CriticalTable::kR, "Text17", QStringLiteral("r界值表"))};
  for (ReferenceTable* table : tables_) {
    table->onDoubleClick = [this] { OpenWindow(); };
    if (table->Table() != Analyses().front().table) table->hide();
  }
}

void ReferenceTables::ShowFor(Analysis analysis) {
  for (ReferenceTable* table : tables_)
    table->setVisible(table->Table() == Describe(analysis).table);
}

ReferenceTable* ReferenceTables::Shown() const {
  for (ReferenceTable* table : tables_) {
    if (!table->isHidden()) return table;
  }
  return tables_[0];
}

void ReferenceTables::PointAt(const TableQuestion& question) {
  question_ = question;
  std::optional<TableRow> row;
  std::optional<TableLookUp> lookUp;
  if (question.degrees) {
    if (question.statistic)
      lookUp = LookUpStatistic(question.table, *question.degrees, *question.statistic);
    row = lookUp ? std::optional<TableRow>(lookUp->row)
                 : FindTableRow(question.table, *question.degrees);
  }
  for (ReferenceTable* table : tables_) {
    if (table->Table() == question.table) table->PointAt(row, lookUp);
  }
  if (window_ && window_->Table() == question.table) window_->PointAt(row, lookUp);
}

void ReferenceTables::OpenWindow() {
  const CriticalTable table = Shown()->Table();
  if (!window_ || window_->Table() != table) {
    delete window_;
    window_ = new TableWindow(Shown()->window(), table);
  }
  if (question_.table == table) PointAt(question_);
  window_->show();
  window_->raise();
  window_->activateWindow();
}

QWidgetList ReferenceTables::TabChain() const { return {tables_.begin(), tables_.end()}; }

}  // namespace sumvane
