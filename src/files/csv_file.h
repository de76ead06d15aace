// The list as a table file (comma-separated values) for spreadsheets, and
// such files read back: exported by this program, saved by a spreadsheet as
// CSV or as "Unicode text", or written by hand.
#pragma once

#include <string>
#include <string_view>

#include "entry/sample_list.h"
#include "files/file_store.h"
#include "files/import_result.h"

namespace sumvane {

// UTF-8 with a byte-order mark (which spreadsheets need to read UTF-8), the
// header 序号,第1组,第2组, then one line per row: label, group-1 cell, group-2
// cell. Every line ends in CR LF. A field holding a comma, a quote, a line
// end, a tab or a semicolon is quoted, its quotes doubled, so that no reader
// takes it for a separator.
std::string CsvText(const SampleList& list);

// Writes CsvText, replacing the target only once the new content is safely
// on disk; false when the file could not be written.
bool SaveCsvFile(const SampleList& list, const std::string& path, FileOps& ops = DefaultFileOps());

// The rows of a table file's text (UTF-8). The separator is the comma, the
// semicolon or the tab, whichever the file uses (DetectSeparator); fields may
// be quoted; blanks around a field are removed and blank lines skipped. Three
// columns are label, group 1, group 2 (more are refused unless empty); one or
// two columns are the groups' values, the rows labelled 1, 2, 3 and on. A
// first line whose value columns hold text and no number is a header. Every
// other value must be a number (ReadStrictNumber) or empty: a spreadsheet's
// stray text would otherwise be counted as the value 0. Statuses: kRows, kNoRows
// (no number anywhere), kNotANumber, kTooManyColumns, kTooManyRows.
ImportResult ParseCsvText(std::string_view utf8);

// The rows of a text file that holds no row line of the program's own format,
// read as a table file is (ParseCsvText): spreadsheets save tables as .txt
// ("Unicode text", "Text (tab delimited)"). A text in which no field is a
// number is no table at all: kNoRows, rather than a complaint about a cell.
ImportResult ParseTextAsTable(std::string_view utf8);

// The rows of the table file at path, decoded as DecodeFileText says.
ImportResult LoadCsvFile(const std::string& path);

}  // namespace sumvane
