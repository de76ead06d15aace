// How the entry box and the row-number box address the list: where an Enter
// stores the typed value, what the row-number box shows next, and how far it
// may point.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "entry/sample_list.h"

namespace sumvane {

// The position that a row number names for an overwrite: rounded to the nearest
// whole number with halves to the even neighbour, as every whole number in the
// window is formed; nothing when it falls outside 1..count.
std::optional<int> RowPosition(double rowNumber, int count);

// What an Enter does with the typed value, decided from the row-number box.
struct EntryPlan {
  // A number past the last row appends a row with the box's text as its label
  // and stores the value there.
  std::optional<std::string> newRowLabel;
  // Otherwise the value overwrites the row at this position; with neither,
  // nothing is stored.
  std::optional<int> overwrite;
  // The row-number box's text after the Enter: the number it held plus one.
  std::string nextRowNumber;
};

EntryPlan PlanEntry(const SampleList& list, std::string_view rowNumberText);

// The row number never points past the first empty cell of the group: the
// text to show instead, or nothing when the box may keep its text.
std::optional<std::string> CappedRowNumber(const SampleList& list, int group,
                                           std::string_view rowNumberText);

// The first empty row of the group, as the row-number box writes it.
std::string FirstEmptyRowText(const SampleList& list, int group);

}  // namespace sumvane
