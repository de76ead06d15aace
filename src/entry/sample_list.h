// The raw data of the current analysis: ordered rows, each a row-number label
// and one text cell per group, addressed by position 1..Count(). Everything is
// kept as text exactly as entered or loaded; nothing is trimmed. Beside its
// text, each cell keeps the number it was read into when it entered the list,
// so that no calculation reads a cell again.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "stats/observation.h"

namespace sumvane {

struct SampleRow {
  std::string label;
  std::string group1;
  std::string group2;
  bool operator==(const SampleRow&) const = default;
};

// Positions and counts are 16-bit in the window's terms, so the list holds at
// most kMaxRows rows. An operation given a position outside 1..Count(), or a
// group other than 1 or 2, fails: it changes nothing and reports false or no
// value, so that every caller can run it as a step whose failure is ignored.
class SampleList {
 public:
  static constexpr int kMaxRows = 32767;

  int Count() const;
  void Clear();
  // Adds a row with both cells empty; false, and nothing added, when full.
  bool AppendRow(std::string label);
  std::optional<std::string_view> RowLabel(int position) const;
  std::optional<std::string_view> Cell(int position, int group) const;
  bool SetCell(int position, int group, std::string text);
  // Later rows move up by one; labels are never renumbered.
  bool RemoveRow(int position);

  // First position whose cell in the group is the empty text, Count()+1 when
  // there is none (so 1 for an empty list). Only that group's column counts.
  // A group other than 1 or 2 has no filled cells: 1.
  int FirstEmptyRow(int group) const;
  // The length of the leading run of filled cells of the group.
  int FilledCount(int group) const;

  // Replaces all rows at once (a loaded file); false, and nothing changed,
  // when there are more than kMaxRows rows.
  bool Assign(std::vector<SampleRow> rows);
  // Replaces the `count` rows from position `first` with `rows`, which may be
  // more or fewer: every change of the list is one such step, so that each can
  // be undone by the opposite step. first runs 1..Count()+1; false, and
  // nothing changed, outside the list or past kMaxRows rows.
  bool ReplaceRows(int first, int count, std::vector<SampleRow> rows);
  const std::vector<SampleRow>& Rows() const;

  // The group's cells at positions 1..count (count clipped to Count()) as
  // ReadObservation read them; a cell that does not start with a number reads
  // as 0. Empty for a group other than 1 or 2. Valid until the list changes.
  std::span<const Observation> Observations(int group, int count) const;

 private:
  // Each group's cells as the analyses use them, row for row beside rows_:
  // the observations as one span, and which texts are empty, so that neither
  // a calculation nor the search for the first empty cell walks the texts.
  struct Column {
    std::vector<Observation> observations;
    std::vector<char> empty;
    void Set(std::size_t row, std::string_view text);
    void Append();
    void Erase(std::size_t row);
    // Room for `added` cells in place of `count` from `first`, to be set.
    void Replace(std::size_t first, std::size_t count, std::size_t added);
    void Clear();
  };

  std::vector<SampleRow> rows_;
  std::array<Column, 2> columns_;
};

}  // namespace sumvane
