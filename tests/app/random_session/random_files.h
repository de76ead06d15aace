// Files for the import: as the export writes them, as an editor may have left
// them, a list at its limit, and bytes of no format at all.
#pragma once

#include <QByteArray>
#include <utility>

#include "random_session/random_texts.h"
#include "random_session/rows_text.h"

namespace sumvane::session {

// Other line ends, lines without a marker, trailing blanks, UTF-8 with or
// without a byte-order mark, or GB18030; with the rows the file holds.
std::pair<QByteArray, Rows> WellFormedFile(RandomTexts& random);

// `rows` rows in the export's own layout.
std::pair<QByteArray, Rows> LongFile(RandomTexts& random, int rows);

QByteArray RandomBytes(RandomTexts& random);

}  // namespace sumvane::session
