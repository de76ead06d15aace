// The texts that Copy puts on the clipboard: tab-separated, one line per row,
// each line ended by LF (Qt writes the platform's line end where it needs
// one, and spreadsheets and ParseListPaste take either), so that a spreadsheet
// pastes them into cells and this program pastes them back.
#pragma once

#include <array>
#include <string>

#include "entry/sample_list.h"

namespace sumvane {

// The header 序号, 第1组, 第2组, then every row: label, group-1 cell, group-2
// cell. A cell holding a tab, a line end or a leading quote is quoted as
// spreadsheets quote it, its quotes doubled.
std::string ListCopyText(const SampleList& list);

// The fourfold table as the window shows it, every text as it stands there.
struct FourfoldTexts {
  std::string corner;  // the caption above the row captions
  std::array<std::string, 2> columnCaptions;
  std::array<std::string, 2> rowCaptions;
  std::array<std::string, 4> cells;         // a, b, c, d
  std::array<std::string, 2> rowTotals;     // a+b, c+d
  std::array<std::string, 2> columnTotals;  // a+c, b+d
  std::string total;
};

// Four lines of four cells: the captions and 合计, then each row with its
// caption, its two cells and its total, then 合计 with the column totals and
// the total.
std::string FourfoldCopyText(const FourfoldTexts& table);

}  // namespace sumvane
