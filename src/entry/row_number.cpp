#include "entry/row_number.h"

#include <cmath>

namespace sumvane {

std::optional<int> RowPosition(double rowNumber, int count) {
  if (!std::isfinite(rowNumber)) return std::nullopt;
  const double whole = std::nearbyint(rowNumber);  // the default mode rounds half to even
  if (whole < 1 || whole > count) return std::nullopt;
  return static_cast<int>(whole);
}

}  // namespace sumvane
