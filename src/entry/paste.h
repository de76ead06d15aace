// Pasting values copied from a spreadsheet, a text editor or this program:
// the text is read into columns of numbers, or turned down with a short
// reason for the status line, and the list that results is computed without
// touching the window's list, so that the window can apply it as one step
// that can be undone.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "entry/sample_list.h"

namespace sumvane {

enum class PasteProblem {
  kNothing,         // no number to paste
  kNotANumber,      // a cell that is not a number
  kGapInColumn,     // a value below a blank cell of its column
  kTooManyColumns,  // more than two columns of values
  kNotFourNumbers,  // for the fourfold table: not a 2 x 2 block or four in a row
  kWouldOverwrite,  // a value would land on a filled cell of the list
  kTooManyRows,     // the list would hold more rows than it can
};

struct PasteRefusal {
  PasteProblem problem = PasteProblem::kNothing;
  // kNotANumber, kGapInColumn: the line and column of the pasted text (from 1).
  // kWouldOverwrite: the list's row and the group.
  int line = 0;
  int column = 0;
};

// One short Chinese sentence saying why nothing was pasted.
std::string RefusalText(const PasteRefusal& refusal);

// The values for the list, each column top to bottom, blanks around them
// removed: one column goes to the chosen group, two to groups 1 and 2.
struct PasteColumns {
  std::vector<std::vector<std::string>> columns;
};

// A lone value, which the window pastes as text into the input box.
struct SingleValue {
  std::string text;
};

// Lines end in LF, CR LF or CR; within a line values are separated by tabs,
// semicolons, commas or blanks (DetectSeparator, blanks when none of the
// others occurs). A first line without a number is a header and is skipped;
// when it is this program's own header (序号, 第1组, 第2组) the label column
// is skipped too. A blank cell ends its column. Every other cell must be a
// number (ReadStrictNumber).
using ListPaste = std::variant<PasteColumns, SingleValue, PasteRefusal>;
ListPaste ParseListPaste(std::string_view text);

// The cells a, b, c, d of the fourfold table from four numbers: a 2 x 2
// block, four in a row or four in a column, after an optional header line.
// The table as this program copies it (captions and margins) gives its four
// cells too.
using FourfoldPaste = std::variant<std::array<std::string, 4>, PasteRefusal>;
FourfoldPaste ParseFourfoldPaste(std::string_view text);

// The list after a paste: each column fills its group from the group's first
// empty row (FirstEmptyRow) down, rows appended as needed with their position
// as label, as an Enter labels the row it appends.
struct PastedList {
  std::vector<SampleRow> rows;
  int firstRow = 0;  // the rows that received values
  int lastRow = 0;
};

// `chosenGroup` (1 or 2) takes a single column. Refused, with the list
// unchanged, when a value would overwrite a filled cell (one that stands
// below a gap of its group) or the list would outgrow kMaxRows.
std::variant<PastedList, PasteRefusal> PasteIntoList(const SampleList& list,
                                                     const PasteColumns& paste, int chosenGroup);

}  // namespace sumvane
