// What a paste into the list and a copy of it must give, worked out here from
// the rule the window documents, with a reader of its own. Texts with quotes
// are outside this model: the session never pastes one.
#pragma once

#include <QString>

#include "random_session/rows_text.h"

namespace sumvane::session {

struct PasteExpectation {
  enum class Kind {
    kRefused,      // nothing pasted, the list as it was
    kSingleValue,  // one value, which goes into the data box as text
    kRows,         // the list becomes `rows`
  };
  Kind kind = Kind::kRefused;
  QString value;  // kSingleValue: the value, blanks around it removed
  Rows rows;      // kRows
};

// Lines end in CR LF, CR or LF; the separator is the one of tab, semicolon
// and comma found in the most of the first lines, runs of blanks when none
// occurs. A first line without a number is a header, and when it is the
// program's own its first column holds labels. A blank cell ends its column;
// every other cell must be a number; two columns at most. One column goes to
// `group`, two to groups 1 and 2, each from its group's first empty row
// down, appending rows labelled with their position, never over a filled
// cell and never past the list's last row.
PasteExpectation ExpectedPaste(const QString& text, const Rows& list, int group);

// The header 序号, 第1组, 第2组 and one line per row, tab-separated, each line
// ended by LF; a cell with a tab, a line end or a leading quote in quotes,
// its quotes doubled.
QString ExpectedCopy(const Rows& list);

// Whether a copy of the list holds a quote or a cell with a tab or a line
// end, which the paste model does not read.
bool OutsidePasteModel(const Rows& list);

}  // namespace sumvane::session
