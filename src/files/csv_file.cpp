#include "files/csv_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "entry/delimited_text.h"
#include "files/encoding.h"
#include "stats/number.h"
#include "stats/strict_number.h"

namespace sumvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kMostColumns = 3;

void AppendField(std::string& out, std::string_view field) {
  if (field.find_first_of(",\"\r\n\t;") == std::string_view::npos) {
    out.append(field);
    return;
  }
  out.push_back('"');
  for (const char c : field) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

void AppendRecord(std::string& out, std::string_view label, std::string_view group1,
                  std::string_view group2) {
  AppendField(out, label);
  out.push_back(',');
  AppendField(out, group1);
  out.push_back(',');
  AppendField(out, group2);
  out.append(kLineEnd);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view field) {
  std::size_t first = 0;
  while (first < field.size() && IsBlank(field[first])) ++first;
  std::size_t last = field.size();
  while (last > first && IsBlank(field[last - 1])) --last;
  return field.substr(first, last - first);
}

bool NonNumber(std::string_view value) { return !value.empty() && !IsStrictNumber(value); }

// The lines of a table file that hold something, read once: the first three
// fields of each, trimmed, in the places of label, group 1 and group 2
// whatever the file's layout turns out to be.
struct Table {
  std::vector<SampleRow> rows;
  std::vector<int> lines;     // the line where each row starts
  std::size_t width = 0;      // the most fields in a line
  std::size_t usedFirst = 0;  // the fields up to the last filled one, in the first line
  std::size_t usedAfterFirst = 0;
  bool overfull = false;  // more lines than a header and a full list
};

Table ReadTable(std::string_view text, char separator) {
  Table table;
  // Every row but the last ends a line: reserved at once, the rows are
  // never copied to grow.
  const auto line_ends = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  const std::size_t expected = std::min(line_ends + 1, std::size_t{SampleList::kMaxRows} + 1);
  table.rows.reserve(expected);
  table.lines.reserve(expected);
  RecordReader reader(text, separator);
  std::array<std::string_view, kMostColumns> firsts;
  while (reader.Next()) {
    const std::span<const std::string_view> fields = reader.Fields();
    // The fields up to the last filled one; none for a blank line.
    std::size_t used = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const std::string_view field = Trimmed(fields[i]);
      if (i < kMostColumns) firsts[i] = field;
      if (!field.empty()) used = i + 1;
    }
    if (used == 0) continue;
    if (table.rows.size() > static_cast<std::size_t>(SampleList::kMaxRows)) {
      table.overfull = true;
      break;
    }
    table.width = std::max(table.width, fields.size());
    if (table.rows.empty()) {
      table.usedFirst = used;
    } else {
      table.usedAfterFirst = std::max(table.usedAfterFirst, used);
    }
    auto cell = [&](std::size_t i) { return std::string(i < fields.size() ? firsts[i] : ""); };
    table.rows.push_back(SampleRow{cell(0), cell(1), cell(2)});
    table.lines.push_back(reader.Line());
  }
  return table;
}

bool HoldsANumber(std::string_view text, char separator) {
  RecordReader reader(text, separator);
  while (reader.Next()) {
    for (const std::string_view field : reader.Fields()) {
      if (IsStrictNumber(Trimmed(field))) return true;
    }
  }
  return false;
}

}  // namespace

std::string CsvText(const SampleList& list) {
  std::string out;
  std::size_t size = 64;
  for (const SampleRow& row : list.Rows()) {
    size += row.label.size() + row.group1.size() + row.group2.size() + 4;
  }
  out.reserve(size);
  out.append(kByteOrderMark);
  AppendRecord(out, "序号", "第1组", "第2组");
  for (const SampleRow& row : list.Rows()) AppendRecord(out, row.label, row.group1, row.group2);
  return out;
}

bool SaveCsvFile(const SampleList& list, const std::string& path, FileOps& ops) {
  return SaveBytesAtomically(path, CsvText(list), ops);
}

ImportResult ParseCsvText(std::string_view utf8) {
  Table table = ReadTable(utf8, DetectSeparator(utf8, ','));
  if (table.overfull) return WithoutRows(ImportStatus::kTooManyRows);
  if (table.rows.empty()) return WithoutRows(ImportStatus::kNoRows);
  // One or two columns hold values only; three are label, group 1, group 2.
  const bool labelled = table.width >= kMostColumns;
  auto values = [&](SampleRow& row) -> std::array<std::string*, 2> {
    return labelled ? std::array{&row.group1, &row.group2} : std::array{&row.label, &row.group1};
  };
  // Only a first line of text is a header: a first row with one mistyped
  // value is refused with its line rather than dropped.
  const auto first = values(table.rows.front());
  const bool header = (NonNumber(*first[0]) || NonNumber(*first[1])) &&
                      !IsStrictNumber(*first[0]) && !IsStrictNumber(*first[1]);
  // Columns past the third count only where a line fills them.
  if (std::max(table.usedAfterFirst, header ? 0 : table.usedFirst) > kMostColumns) {
    return WithoutRows(ImportStatus::kTooManyColumns);
  }
  const std::size_t skip = header ? 1 : 0;
  if (table.rows.size() - skip > static_cast<std::size_t>(SampleList::kMaxRows)) {
    return WithoutRows(ImportStatus::kTooManyRows);
  }
  // In place: each row moves up over the header and into its layout.
  bool any_number = false;
  for (std::size_t i = skip; i < table.rows.size(); ++i) {
    SampleRow& row = table.rows[i];
    const auto cells = values(row);
    for (std::size_t group = 0; group < 2; ++group) {
      if (NonNumber(*cells[group])) {
        return WithoutRows(ImportStatus::kNotANumber, table.lines[i], static_cast<int>(group) + 1);
      }
      any_number = any_number || !cells[group]->empty();
    }
    if (!labelled) {
      row.group2 = std::move(row.group1);
      row.group1 = std::move(row.label);
      row.label = NumberText(static_cast<int>(i - skip) + 1);
    }
    if (skip > 0) table.rows[i - skip] = std::move(row);
  }
  if (!any_number) return WithoutRows(ImportStatus::kNoRows);
  table.rows.resize(table.rows.size() - skip);
  ImportResult result;
  result.status = ImportStatus::kRows;
  result.rows = std::move(table.rows);
  return result;
}

ImportResult ParseTextAsTable(std::string_view utf8) {
  ImportResult result = ParseCsvText(utf8);
  const bool table_fault =
      result.status == ImportStatus::kNotANumber || result.status == ImportStatus::kTooManyColumns;
  if (table_fault && !HoldsANumber(utf8, DetectSeparator(utf8, ','))) {
    return WithoutRows(ImportStatus::kNoRows);
  }
  return result;
}

ImportResult LoadCsvFile(const std::string& path) {
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return ImportResult{};
  DecodedText decoded = DecodeFileText(std::move(*bytes));
  ImportResult result = ParseCsvText(decoded.text);
  result.undecodableLines = decoded.undecodableLines;
  return result;
}

}  // namespace sumvane
