// The paired fourfold table's own words, one source for the window's table
// and the report: its rows give the result after treatment, its columns the
// result before.
#pragma once

#include <string_view>

namespace sumvane {

struct PairedTableWords {
  std::string_view rows;
  std::string_view columns;
  std::string_view positive, negative;
};

inline constexpr PairedTableWords kPairedTable{"治疗后", "治疗前", "（+）", "（-）"};

}  // namespace sumvane
