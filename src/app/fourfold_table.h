// The drawn fourfold table that takes the list's place for the two chi-square
// analyses: its rules and red cell grid painted, its captions for the analysis
// chosen, the four cells a, b, c, d and their totals. Every change of a cell
// rewrites the totals and then announces the change.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "app/analysis.h"
#include "entry/copy_text.h"

class QLabel;
class QLineEdit;

namespace sumvane {

class FourfoldTable : public QWidget {
  Q_OBJECT

 public:
  explicit FourfoldTable(QWidget* client);

  // The captions of the analysis: groups and results, or after and before
  // treatment.
  void ShowCaptions(Analysis analysis);
  using Cells = std::array<std::string, 4>;

  // Empties the cells one after the other, then the totals.
  void Empty();
  // Puts cells back as a step of undo or redo: an empty table as Empty
  // leaves it, any other as if typed.
  void ShowCells(const Cells& cells);
  // Rewrites the totals from the cells as they stand and announces them.
  void Recalculate();

  std::array<std::string, 4> CellTexts() const;
  // Everything the table shows, for copying.
  FourfoldTexts ShownTexts() const;
  QWidgetList TabChain() const;

 signals:
  void CellsChanged();
  // The user changed a cell; the table showed `before` and now shows `after`.
  void CellEdited(int cell, const Cells& before, const Cells& after);
  // Pasted into a cell: four numbers, for the four cells.
  void CellsPasted(const Cells& cells);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* title_ = nullptr;
  // 组别, 结果, (+) (-), the two row captions, 合计 of the rows and of the columns.
  std::array<QLabel*, 7> captions_{};
  std::array<QLineEdit*, 4> cells_{};
  // Column totals a + c, b + d, row totals a + b, c + d, and the total.
  std::array<QLabel*, 5> totals_{};
  // The cells as last shown, and whether the program is writing them.
  Cells shown_;
  bool writing_ = false;
};

}  // namespace sumvane
