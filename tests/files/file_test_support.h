// Helpers shared by the file-layer tests: readable failure output for rows,
// and a scratch folder removed with everything in it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "entry/sample_list.h"
#include "files/import_result.h"

namespace sumvane {

inline void PrintTo(const SampleRow& row, std::ostream* os) {
  *os << testing::PrintToString(std::vector<std::string>{row.label, row.group1, row.group2});
}

inline void PrintTo(const ImportResult& result, std::ostream* os) {
  static const char* const kNames[] = {"rows",         "no rows",          "too many rows",
                                       "not a number", "too many columns", "unreadable"};
  *os << kNames[static_cast<int>(result.status)] << " " << testing::PrintToString(result.rows)
      << " undecodable " << result.undecodableLines << " line " << result.line << " group "
      << result.group;
}

namespace testing_support {

// A load that found rows, after skipping `undecodable` lines.
inline ImportResult Found(std::vector<SampleRow> rows, int undecodable = 0) {
  ImportResult result;
  result.status = ImportStatus::kRows;
  result.rows = std::move(rows);
  result.undecodableLines = undecodable;
  return result;
}

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/sumvane-files-XXXXXX";
    path_ = mkdtemp(pattern) ? pattern : "";
    EXPECT_FALSE(path_.empty());
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // The names in the folder, or in one of its subfolders.
  std::set<std::string> Entries(const std::string& folder = "") const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_ + "/" + folder)) {
      names.insert(entry.path().filename());
    }
    return names;
  }

 private:
  std::string path_;
};

}  // namespace testing_support
}  // namespace sumvane
