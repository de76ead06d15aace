#include "entry/entry_rules.h"

#include <cmath>

#include "stats/number.h"

namespace sumvane {

std::optional<int> RowPosition(double rowNumber, int count) {
  if (!std::isfinite(rowNumber)) return std::nullopt;
  const double whole = std::nearbyint(rowNumber);  // the default mode rounds half to even
  if (whole < 1 || whole > count) return std::nullopt;
  return static_cast<int>(whole);
}

EntryPlan PlanEntry(const SampleList& list, std::string_view rowNumberText) {
  const double target = ReadNumber(rowNumberText);
  EntryPlan plan;
  if (target > list.Count()) {
    plan.newRowLabel = std::string(rowNumberText);
  } else {
    plan.overwrite = RowPosition(target, list.Count());
  }
  plan.nextRowNumber = NumberText(target + 1);
  return plan;
}

std::optional<std::string> CappedRowNumber(const SampleList& list, int group,
                                           std::string_view rowNumberText) {
  const int limit = list.FirstEmptyRow(group);
  if (!(ReadNumber(rowNumberText) > limit)) return std::nullopt;
  return NumberText(limit);
}

std::string FirstEmptyRowText(const SampleList& list, int group) {
  return NumberText(list.FirstEmptyRow(group));
}

}  // namespace sumvane
