// How the row-number box addresses a row of the list.
#pragma once

#include <optional>

namespace sumvane {

// The position that a row number names for an overwrite: rounded to the nearest
// whole number with halves to the even neighbour, as every whole number in the
// window is formed; nothing when it falls outside 1..count.
std::optional<int> RowPosition(double rowNumber, int count);

}  // namespace sumvane
