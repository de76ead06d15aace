// Texts a user may have on the clipboard when pasting into the list: columns
// from a spreadsheet or an editor, this program's own copy, a single value,
// and texts the paste must refuse. None holds a quote.
#pragma once

#include <QString>

#include "random_session/random_texts.h"

namespace sumvane::session {

QString ClipboardText(RandomTexts& random);

}  // namespace sumvane::session
