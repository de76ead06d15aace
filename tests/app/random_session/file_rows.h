// Which rows a text file carries unchanged through an export and an import.
#pragma once

#include "random_session/rows_text.h"

namespace sumvane::session {

// The private-use characters that GB18030 gives to characters it later
// encoded elsewhere; the file writes each of them as U+FFFD.
bool GbLosesIt(char32_t c);

// Export and import keep a row when its fields fit their columns and carry no
// blanks at their ends, which the import removes, and nothing GB18030 loses.
bool SurvivesTheFile(const Rows& rows);

}  // namespace sumvane::session
