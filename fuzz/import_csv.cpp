// Any file's bytes read as a table file: either rows that replace the list,
// every value a number or empty and no more rows than lines, or no rows at
// all with the reason.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "entry/sample_list.h"
#include "files/csv_file.h"
#include "files/encoding.h"
#include "stats/strict_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const sumvane::DecodedText decoded = sumvane::DecodeFileText(std::string(bytes));
  const sumvane::ImportResult result = sumvane::ParseCsvText(decoded.text);

  std::size_t lines = 1;
  for (std::size_t i = 0; i < decoded.text.size(); ++i) {
    const char c = decoded.text[i];
    if (c == '\n' || (c == '\r' && (i + 1 == decoded.text.size() || decoded.text[i + 1] != '\n'))) {
      ++lines;
    }
  }
  if (result.status != sumvane::ImportStatus::kRows) {
    FUZZ_CHECK(result.rows.empty());
    if (result.status == sumvane::ImportStatus::kNotANumber) {
      FUZZ_CHECK(result.line >= 1 && static_cast<std::size_t>(result.line) <= lines);
      FUZZ_CHECK(result.group == 1 || result.group == 2);
    }
    return 0;
  }
  FUZZ_CHECK(!result.rows.empty());
  FUZZ_CHECK(result.rows.size() <= lines);
  FUZZ_CHECK(result.rows.size() <= static_cast<std::size_t>(sumvane::SampleList::kMaxRows));
  bool any_number = false;
  for (const sumvane::SampleRow& row : result.rows) {
    FUZZ_CHECK(sumvane::IsValidUtf8(row.label));
    for (const std::string* value : {&row.group1, &row.group2}) {
      FUZZ_CHECK(value->empty() || sumvane::ReadStrictNumber(*value).has_value());
      any_number = any_number || !value->empty();
    }
  }
  FUZZ_CHECK(any_number);
  return 0;
}
