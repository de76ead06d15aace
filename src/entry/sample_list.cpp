#include "entry/sample_list.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace sumvane {

namespace {

bool IsGroup(int group) { return group == 1 || group == 2; }

std::string& CellOf(SampleRow& row, int group) { return group == 1 ? row.group1 : row.group2; }

const std::string& CellOf(const SampleRow& row, int group) {
  return group == 1 ? row.group1 : row.group2;
}

}  // namespace

void SampleList::Column::Set(std::size_t row, std::string_view text) {
  observations[row] = ReadObservation(text);
  empty[row] = text.empty();
}

void SampleList::Column::Append() {
  observations.emplace_back();
  empty.push_back(true);
}

void SampleList::Column::Erase(std::size_t row) {
  observations.erase(observations.begin() + static_cast<std::ptrdiff_t>(row));
  empty.erase(empty.begin() + static_cast<std::ptrdiff_t>(row));
}

void SampleList::Column::Replace(std::size_t first, std::size_t count, std::size_t added) {
  const auto at = static_cast<std::ptrdiff_t>(first);
  const auto end = static_cast<std::ptrdiff_t>(first + count);
  observations.erase(observations.begin() + at, observations.begin() + end);
  observations.insert(observations.begin() + at, added, Observation());
  empty.erase(empty.begin() + at, empty.begin() + end);
  empty.insert(empty.begin() + at, added, true);
}

void SampleList::Column::Clear() {
  observations.clear();
  empty.clear();
}

int SampleList::Count() const { return static_cast<int>(rows_.size()); }

void SampleList::Clear() {
  rows_.clear();
  for (Column& column : columns_) column.Clear();
}

bool SampleList::AppendRow(std::string label) {
  if (Count() >= kMaxRows) return false;
  rows_.push_back(SampleRow{std::move(label), {}, {}});
  for (Column& column : columns_) column.Append();
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
  columns_[group - 1].Set(position - 1, text);
  CellOf(rows_[position - 1], group) = std::move(text);
  return true;
}

bool SampleList::RemoveRow(int position) {
  if (position < 1 || position > Count()) return false;
  rows_.erase(rows_.begin() + (position - 1));
  for (Column& column : columns_) column.Erase(position - 1);
  return true;
}

int SampleList::FirstEmptyRow(int group) const {
  if (!IsGroup(group)) return 1;
  const std::vector<char>& empty = columns_[group - 1].empty;
  return static_cast<int>(std::find(empty.begin(), empty.end(), char{true}) - empty.begin()) + 1;
}

int SampleList::FilledCount(int group) const { return FirstEmptyRow(group) - 1; }

bool SampleList::Assign(std::vector<SampleRow> rows) {
  if (rows.size() > static_cast<std::size_t>(kMaxRows)) return false;
  for (int group : {1, 2}) {
    Column& column = columns_[group - 1];
    column = Column{};
    column.observations.resize(rows.size());
    column.empty.resize(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) column.Set(i, CellOf(rows[i], group));
  }
  rows_ = std::move(rows);
  return true;
}

bool SampleList::ReplaceRows(int first, int count, std::vector<SampleRow> rows) {
  if (first < 1 || count < 0 || first - 1 + count > Count()) return false;
  if (Count() - count + static_cast<int>(rows.size()) > kMaxRows) return false;
  const auto at = static_cast<std::size_t>(first - 1);
  const std::size_t added = rows.size();
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
  for (int group : {1, 2}) {
    Column& column = columns_[group - 1];
    column.Replace(at, static_cast<std::size_t>(count), added);
    for (std::size_t i = at; i < at + added; ++i) column.Set(i, CellOf(rows_[i], group));
  }
  return true;
}

const std::vector<SampleRow>& SampleList::Rows() const { return rows_; }

std::span<const Observation> SampleList::Observations(int group, int count) const {
  if (!IsGroup(group) || count <= 0) return {};
  return std::span(columns_[group - 1].observations).first(std::min(count, Count()));
}

}  // namespace sumvane
