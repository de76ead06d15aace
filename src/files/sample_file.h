// The text file of the sample list: one fixed-width line per row, so that it
// reads well in any text editor and loads back into the same rows.
//
//   character 1      the row marker "·"
//   characters 2-10  the label, padded with blanks
//   characters 11-26 the group-1 cell, padded with blanks
//   from 27          the group-2 cell as it stands
//
// Widths count characters, not bytes. Every row line ends in CR LF, and one
// more CR LF closes the file.
#pragma once

#include <string>
#include <string_view>

#include "entry/sample_list.h"
#include "files/file_store.h"
#include "files/import_result.h"

namespace sumvane {

// The file's text, in UTF-8. A label longer than 9 characters or a group-1
// cell longer than 16 is written whole, unpadded.
std::string ExportText(const SampleList& list);

// The rows of a file's text (UTF-8). Lines may end in CR LF, LF or a lone CR.
// Every line that holds the marker anywhere is a row, cut at the fixed
// character positions counted from the line's first character, each field
// with its leading and trailing blanks removed; other lines are skipped.
// kRows, kNoRows, or kTooManyRows when there are more row lines than the list
// can hold.
ImportResult ParseImportText(std::string_view utf8);

// Writes the list as a GB18030 file, replacing the target only once the new
// content is safely on disk; false when the file could not be written.
bool SaveSampleList(const SampleList& list, const std::string& path,
                    FileOps& ops = DefaultFileOps());

// The rows of the file at path, decoded as DecodeFileText says, with the count
// of lines it could not decode. A file without row lines is read as a table
// (ParseTextAsTable). Anything but kRows (unreadable, no rows, too many, a
// table's fault) is for the caller to leave its list as it was.
ImportResult LoadSampleList(const std::string& path);

}  // namespace sumvane
