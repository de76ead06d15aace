// Any clipboard text pasted into the list and into the fourfold table: either
// values that are all numbers, at most one per line, placed where the list
// has room, or a reason.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "check.h"
#include "entry/paste.h"
#include "stats/strict_number.h"

namespace {

bool Number(const std::string& text) { return sumvane::IsStrictNumber(text); }

void CheckIntoList(const sumvane::PasteColumns& paste) {
  sumvane::SampleList list;
  FUZZ_CHECK(list.Assign({{"1", "5", ""}, {"2", "", "6"}, {"3", "7", ""}}));
  const auto result = sumvane::PasteIntoList(list, paste, 2);
  if (const auto* refusal = std::get_if<sumvane::PasteRefusal>(&result)) {
    FUZZ_CHECK(!sumvane::RefusalText(*refusal).empty());
    return;
  }
  const auto& pasted = std::get<sumvane::PastedList>(result);
  FUZZ_CHECK(pasted.rows.size() == static_cast<std::size_t>(std::max(3, pasted.lastRow)));
  FUZZ_CHECK(1 <= pasted.firstRow && pasted.firstRow <= pasted.lastRow);
  // The rows that were there keep what they held.
  FUZZ_CHECK(pasted.rows[0].group1 == "5" && pasted.rows[1].group2 == "6");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::size_t lines =
      1 + static_cast<std::size_t>(std::count_if(text.begin(), text.end(),
                                                 [](char c) { return c == '\r' || c == '\n'; }));

  const sumvane::ListPaste paste = sumvane::ParseListPaste(text);
  if (const auto* refusal = std::get_if<sumvane::PasteRefusal>(&paste)) {
    FUZZ_CHECK(!sumvane::RefusalText(*refusal).empty());
  } else if (const auto* single = std::get_if<sumvane::SingleValue>(&paste)) {
    FUZZ_CHECK(!single->text.empty());
  } else {
    const auto& columns = std::get<sumvane::PasteColumns>(paste).columns;
    FUZZ_CHECK(columns.size() == 1 || columns.size() == 2);
    bool any = false;
    for (const auto& column : columns) {
      FUZZ_CHECK(column.size() <= lines);
      FUZZ_CHECK(std::all_of(column.begin(), column.end(), Number));
      any = any || !column.empty();
    }
    FUZZ_CHECK(any);
    CheckIntoList(std::get<sumvane::PasteColumns>(paste));
  }

  const sumvane::FourfoldPaste cells = sumvane::ParseFourfoldPaste(text);
  if (const auto* four = std::get_if<std::array<std::string, 4>>(&cells)) {
    FUZZ_CHECK(std::all_of(four->begin(), four->end(), Number));
  } else {
    FUZZ_CHECK(!sumvane::RefusalText(std::get<sumvane::PasteRefusal>(cells)).empty());
  }
  return 0;
}
