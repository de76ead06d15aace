#include "entry/sample_list.h"

#include <algorithm>
#include <utility>

namespace sumvane {

namespace {

bool IsGroup(int group) { return group == 1 || group == 2; }

std::string& CellOf(SampleRow& row, int group) { return group == 1 ? row.group1 : row.group2; }

const std::string& CellOf(const SampleRow& row, int group) {
  return group == 1 ? row.group1 : row.group2;
}

}  // namespace

int SampleList::Count() const { return static_cast<int>(rows_.size()); }

void SampleList::Clear() {
  rows_.clear();
  for (auto& column : observations_) column.clear();
}

bool SampleList::AppendRow(std::string label) {
  if (Count() >= kMaxRows) return false;
  rows_.push_back(SampleRow{std::move(label), {}, {}});
  for (auto& column : observations_) column.emplace_back();
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
  observations_[group - 1][position - 1] = ReadObservation(text);
  CellOf(rows_[position - 1], group) = std::move(text);
  return true;
}

bool SampleList::RemoveRow(int position) {
  if (position < 1 || position > Count()) return false;
  rows_.erase(rows_.begin() + (position - 1));
  for (auto& column : observations_) column.erase(column.begin() + (position - 1));
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
  for (int group : {1, 2}) {
    std::vector<Observation>& column = observations_[group - 1];
    column.clear();
    column.shrink_to_fit();
    column.reserve(rows.size());
    for (const SampleRow& row : rows) column.push_back(ReadObservation(CellOf(row, group)));
  }
  rows_ = std::move(rows);
  return true;
}

const std::vector<SampleRow>& SampleList::Rows() const { return rows_; }

std::span<const Observation> SampleList::Observations(int group, int count) const {
  if (!IsGroup(group) || count <= 0) return {};
  return std::span(observations_[group - 1]).first(std::min(count, Count()));
}

}  // namespace sumvane
