#include "entry/sample_list.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "stats/number.h"

namespace sumvane {

namespace {

bool IsGroup(int group) { return group == 1 || group == 2; }

std::string& CellOf(SampleRow& row, int group) { return group == 1 ? row.group1 : row.group2; }

const std::string& CellOf(const SampleRow& row, int group) {
  return group == 1 ? row.group1 : row.group2;
}

}  // namespace

int SampleList::Count() const { return static_cast<int>(rows_.size()); }

void SampleList::Clear() { rows_.clear(); }

bool SampleList::AppendRow(std::string label) {
  if (Count() >= kMaxRows) return false;
  rows_.push_back(SampleRow{std::move(label), {}, {}});
  return true;
}

std::optional<std::string_view> SampleList::RowLabel(int position) const {
  if (position < 1 || position > Count()) return std::nullopt;
  return std::string_view(rows_[position - 1].label);
}

std::optional<std::string_view> SampleList::Cell(int position, int group) const {
  if (position < 1 || position > Count() || !IsGroup(group)) return std::nullopt;
  return std::string_view(CellOf(rows_[position - 1], group));
}

bool SampleList::SetCell(int position, int group, std::string text) {
  if (position < 1 || position > Count() || !IsGroup(group)) return false;
  CellOf(rows_[position - 1], group) = std::move(text);
  return true;
}

bool SampleList::RemoveRow(int position) {
  if (position < 1 || position > Count()) return false;
  rows_.erase(rows_.begin() + (position - 1));
  return true;
}

int SampleList::FirstEmptyRow(int group) const {
  if (!IsGroup(group)) return 1;
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    if (CellOf(rows_[i], group).empty()) return i + 1;
  }
  return count + 1;
}

int SampleList::FilledCount(int group) const { return FirstEmptyRow(group) - 1; }

bool SampleList::Assign(std::vector<SampleRow> rows) {
  if (rows.size() > static_cast<std::size_t>(kMaxRows)) return false;
  rows_ = std::move(rows);
  return true;
}

bool SampleList::ReplaceRows(int first, int count, std::vector<SampleRow> rows) {
  if (first < 1 || count < 0 || first - 1 + count > Count()) return false;
  if (Count() - count + static_cast<int>(rows.size()) > kMaxRows) return false;
  const auto from = rows_.begin() + (first - 1);
  const std::size_t shared = std::min(static_cast<std::size_t>(count), rows.size());
  std::move(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(shared), from);
  if (rows.size() > shared) {
    rows_.insert(from + static_cast<std::ptrdiff_t>(shared),
                 std::make_move_iterator(rows.begin() + static_cast<std::ptrdiff_t>(shared)),
                 std::make_move_iterator(rows.end()));
  } else {
    rows_.erase(from + static_cast<std::ptrdiff_t>(shared), from + count);
  }
  return true;
}

const std::vector<SampleRow>& SampleList::Rows() const { return rows_; }

std::vector<double> SampleList::ColumnValues(int group, int count) const {
  std::vector<double> values;
  if (!IsGroup(group) || count <= 0) return values;
  if (count > Count()) count = Count();
  values.reserve(count);
  for (int i = 0; i < count; ++i) values.push_back(ReadNumber(CellOf(rows_[i], group)));
  return values;
}

}  // namespace sumvane
