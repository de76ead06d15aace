#include "entry/paste.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>

#include "entry/delimited_text.h"
#include "stats/number.h"
#include "stats/strict_number.h"

namespace sumvane {

namespace {

constexpr std::array<std::string_view, 3> kOwnHeader = {"序号", "第1组", "第2组"};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view cell) {
  std::size_t first = 0;
  while (first < cell.size() && IsBlank(cell[first])) ++first;
  std::size_t last = cell.size();
  while (last > first && IsBlank(cell[last - 1])) --last;
  return cell.substr(first, last - first);
}

bool IsNumber(std::string_view cell) { return IsStrictNumber(cell); }

// A record with its cells trimmed.
struct Line {
  int number = 0;
  std::vector<std::string> cells;

  bool Blank() const {
    return std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); });
  }
  std::size_t Filled() const {
    return static_cast<std::size_t>(
        std::count_if(cells.begin(), cells.end(), [](const std::string& c) { return !c.empty(); }));
  }
  // A header line: something in it, but no number.
  bool Header() const { return !Blank() && std::none_of(cells.begin(), cells.end(), IsNumber); }
};

// Reads the reader's current record into `line`, reusing its strings.
void ReadLine(const RecordReader& reader, Line& line) {
  line.number = reader.Line();
  const std::span<const std::string_view> fields = reader.Fields();
  line.cells.resize(fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) line.cells[i].assign(Trimmed(fields[i]));
}

// Moves to the next line that is not blank; false at the end of the text.
// `blanks` tells whether blank lines were passed on the way.
bool NextFilledLine(RecordReader& reader, Line& line, bool& blanks) {
  blanks = false;
  while (reader.Next()) {
    ReadLine(reader, line);
    if (!line.Blank()) return true;
    blanks = true;
  }
  return false;
}

// Pours the lines after the header into at most two columns.
class ColumnBuilder {
 public:
  // `lines` bounds the values of a column: reserved at once, a column of a
  // full list is never copied to grow.
  ColumnBuilder(std::size_t label_columns, std::size_t lines) : skip_(label_columns) {
    for (auto& column : columns_) column.reserve(lines);
  }

  // A blank line ends every column.
  void EndColumns() { ended_ = {true, true}; }

  std::optional<PasteRefusal> Add(const Line& line) {
    for (std::size_t i = 0; i < line.cells.size(); ++i) {
      const std::string& cell = line.cells[i];
      if (i < skip_) continue;
      const std::size_t column = i - skip_;
      const int where = static_cast<int>(i) + 1;
      if (cell.empty()) {
        if (column < ended_.size()) ended_[column] = true;
        continue;
      }
      if (column >= columns_.size()) return PasteRefusal{PasteProblem::kTooManyColumns};
      if (ended_[column]) return PasteRefusal{PasteProblem::kGapInColumn, line.number, where};
      if (!IsNumber(cell)) return PasteRefusal{PasteProblem::kNotANumber, line.number, where};
      columns_[column].push_back(cell);
      used_ = std::max(used_, column + 1);
    }
    // A short line leaves the columns it lacks blank.
    for (std::size_t column = line.cells.size() > skip_ ? line.cells.size() - skip_ : 0;
         column < ended_.size(); ++column) {
      ended_[column] = true;
    }
    return std::nullopt;
  }

  // The columns, or nothing when no value came. This program's own copy
  // keeps both columns, so that its second column goes to group 2 even
  // where the first is empty.
  std::optional<PasteColumns> Columns(bool both) {
    if (used_ == 0) return std::nullopt;
    columns_.resize(both ? columns_.size() : used_);
    return PasteColumns{std::move(columns_)};
  }

 private:
  std::size_t skip_;
  std::vector<std::vector<std::string>> columns_ = {{}, {}};
  std::array<bool, 2> ended_ = {false, false};
  std::size_t used_ = 0;
};

// The lines of the text that are not blank.
std::vector<Line> FilledLines(std::string_view text) {
  RecordReader reader(text, DetectSeparator(text, kBlankRuns));
  std::vector<Line> lines;
  Line line;
  bool blanks = false;
  while (NextFilledLine(reader, line, blanks)) lines.push_back(line);
  return lines;
}

// At least the number of lines: every CR and LF is counted.
std::size_t MostLines(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(),
                                                [](char c) { return c == '\r' || c == '\n'; })) +
         1;
}

bool IsOwnHeader(const Line& line) {
  return line.cells.size() == kOwnHeader.size() &&
         std::equal(line.cells.begin(), line.cells.end(), kOwnHeader.begin());
}

// The lines of a table without its header line and its column of row
// captions, as FourfoldCopyText writes them.
std::vector<Line> WithoutCaptions(std::vector<Line> lines) {
  if (lines.size() >= 2 && lines.front().Header()) lines.erase(lines.begin());
  const bool captioned = std::all_of(lines.begin(), lines.end(), [](const Line& line) {
    return !line.cells.empty() && !line.cells.front().empty() && !IsNumber(line.cells.front());
  });
  if (!lines.empty() && captioned) {
    for (Line& line : lines) line.cells.erase(line.cells.begin());
  }
  return lines;
}

}  // namespace

std::string RefusalText(const PasteRefusal& refusal) {
  const std::string line = std::to_string(refusal.line);
  const std::string column = std::to_string(refusal.column);
  switch (refusal.problem) {
    case PasteProblem::kNothing:
      return "没有可粘贴的数字";
    case PasteProblem::kNotANumber:
      return "第" + line + "行第" + column + "列不是数字，未粘贴";
    case PasteProblem::kGapInColumn:
      return "第" + column + "列在第" + line + "行之前有空格，未粘贴";
    case PasteProblem::kTooManyColumns:
      return "最多粘贴两列数据，未粘贴";
    case PasteProblem::kNotFourNumbers:
      return "四格表需要4个数字（2行2列或1行4个），未粘贴";
    case PasteProblem::kWouldOverwrite:
      return "第" + column + "组第" + line + "行已有数据，未粘贴";
    case PasteProblem::kTooManyRows:
      return "粘贴后超过" + std::to_string(SampleList::kMaxRows) + "行，未粘贴";
  }
  return {};
}

ListPaste ParseListPaste(std::string_view text) {
  // Read as a stream: a full column of a spreadsheet is tens of thousands of
  // lines. Blank lines at the start and the end do not count.
  RecordReader reader(text, DetectSeparator(text, kBlankRuns));
  Line first;
  Line line;
  bool blanks = false;
  if (!NextFilledLine(reader, first, blanks)) return PasteRefusal{PasteProblem::kNothing};
  bool more = NextFilledLine(reader, line, blanks);
  if (!more && first.Filled() == 1) {
    return SingleValue{*std::find_if(first.cells.begin(), first.cells.end(),
                                     [](const std::string& c) { return !c.empty(); })};
  }
  const bool header = first.Header();
  const bool own = header && IsOwnHeader(first);
  ColumnBuilder builder(own ? 1 : 0, MostLines(text));
  if (!header) {
    if (auto refusal = builder.Add(first)) return *refusal;
  }
  for (; more; more = NextFilledLine(reader, line, blanks)) {
    if (blanks) builder.EndColumns();
    if (auto refusal = builder.Add(line)) return *refusal;
  }
  if (auto columns = builder.Columns(own)) return std::move(*columns);
  return PasteRefusal{PasteProblem::kNothing};
}

FourfoldPaste ParseFourfoldPaste(std::string_view text) {
  std::vector<Line> lines = WithoutCaptions(FilledLines(text));
  // The values of each line, blank cells between them dropped.
  std::vector<std::vector<std::string>> values;
  for (const Line& line : lines) {
    std::vector<std::string>& row = values.emplace_back();
    for (std::size_t i = 0; i < line.cells.size(); ++i) {
      if (line.cells[i].empty()) continue;
      if (!IsNumber(line.cells[i])) {
        return PasteRefusal{PasteProblem::kNotANumber, line.number, static_cast<int>(i) + 1};
      }
      row.push_back(line.cells[i]);
    }
  }
  auto shaped = [&](std::size_t rows, std::size_t columns) {
    return values.size() >= rows &&
           std::all_of(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(rows),
                       [&](const auto& row) { return row.size() == columns; });
  };
  // With margins (three rows of three) the four cells are the top left block.
  if ((values.size() == 2 && shaped(2, 2)) || (values.size() == 3 && shaped(3, 3))) {
    return std::array<std::string, 4>{values[0][0], values[0][1], values[1][0], values[1][1]};
  }
  if (values.size() == 1 && shaped(1, 4)) {
    return std::array<std::string, 4>{values[0][0], values[0][1], values[0][2], values[0][3]};
  }
  if (values.size() == 4 && shaped(4, 1)) {
    return std::array<std::string, 4>{values[0][0], values[1][0], values[2][0], values[3][0]};
  }
  return PasteRefusal{PasteProblem::kNotFourNumbers};
}

std::variant<PastedList, PasteRefusal> PasteIntoList(const SampleList& list,
                                                     const PasteColumns& paste, int chosenGroup) {
  if (paste.columns.size() == 1 && chosenGroup != 1 && chosenGroup != 2) {
    return PasteRefusal{PasteProblem::kNothing};
  }
  const std::size_t columns = std::min<std::size_t>(paste.columns.size(), 2);
  const std::array<int, 2> groups = {columns == 1 ? chosenGroup : 1, 2};
  const int count = list.Count();
  std::array<int, 2> starts = {0, 0};
  int first = 0;
  int last = 0;
  for (std::size_t c = 0; c < columns; ++c) {
    if (paste.columns[c].empty()) continue;
    const int start = list.FirstEmptyRow(groups[c]);
    if (paste.columns[c].size() > static_cast<std::size_t>(SampleList::kMaxRows - start + 1)) {
      return PasteRefusal{PasteProblem::kTooManyRows};
    }
    const int end = start + static_cast<int>(paste.columns[c].size()) - 1;
    // Below the first empty cell a group may hold values again (a file can
    // leave gaps); a paste never overwrites them.
    for (int row = start; row <= std::min(end, count); ++row) {
      if (!list.Cell(row, groups[c])->empty()) {
        return PasteRefusal{PasteProblem::kWouldOverwrite, row, groups[c]};
      }
    }
    starts[c] = start;
    first = first == 0 ? start : std::min(first, start);
    last = std::max(last, end);
  }
  if (first == 0) return PasteRefusal{PasteProblem::kNothing};

  PastedList pasted{{}, first, last};
  pasted.rows.reserve(static_cast<std::size_t>(std::max(count, last)));
  pasted.rows.assign(list.Rows().begin(), list.Rows().end());
  for (int row = count + 1; row <= last; ++row) pasted.rows.push_back({NumberText(row), {}, {}});
  for (std::size_t c = 0; c < columns; ++c) {
    for (std::size_t i = 0; i < paste.columns[c].size(); ++i) {
      SampleRow& row = pasted.rows[static_cast<std::size_t>(starts[c]) - 1 + i];
      (groups[c] == 1 ? row.group1 : row.group2) = paste.columns[c][i];
    }
  }
  return pasted;
}

}  // namespace sumvane
