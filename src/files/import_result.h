// What loading a data file gives the window: the rows that replace its list,
// or why the list stays exactly as it was.
#pragma once

#include <vector>

#include "entry/sample_list.h"

namespace sumvane {

enum class ImportStatus {
  kRows,            // rows were found; they replace the list
  kNoRows,          // the file was read whole but holds no row (no data)
  kTooManyRows,     // more rows than the list can hold
  kNotANumber,      // a value cell of a table file is not a number
  kTooManyColumns,  // a table file has more than a label and two value columns
  kUnreadable,      // the file could not be opened or read whole
};

struct ImportResult {
  ImportStatus status = ImportStatus::kUnreadable;
  std::vector<SampleRow> rows;  // with kRows only
  // Lines that no encoding could read, skipped whatever the status.
  int undecodableLines = 0;
  // With kNotANumber: the file's line (from 1) where the cell's record starts,
  // and the cell's group.
  int line = 0;
  int group = 0;

  // Only rows replace the list; everything else leaves it as it was.
  explicit operator bool() const { return status == ImportStatus::kRows; }
  std::vector<SampleRow>& operator*() { return rows; }
  const std::vector<SampleRow>& operator*() const { return rows; }

  bool operator==(const ImportResult&) const = default;
};

// A result that leaves the list as it was.
inline ImportResult WithoutRows(ImportStatus status, int line = 0, int group = 0) {
  ImportResult result;
  result.status = status;
  result.line = line;
  result.group = group;
  return result;
}

}  // namespace sumvane
