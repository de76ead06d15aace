// Any file's bytes through decoding and row parsing: the rows are exactly the
// lines that hold the marker, each cut from its own line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "entry/sample_list.h"
#include "files/encoding.h"
#include "files/sample_file.h"

namespace {

constexpr std::string_view kMarker = "\xC2\xB7";

// The lines of the text that hold the marker, split at CR LF, LF or CR.
std::vector<std::string_view> MarkerLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
    const std::string_view line = text.substr(start, i - start);
    if (line.find(kMarker) != std::string_view::npos) lines.push_back(line);
    if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  return lines;
}

bool Trimmed(const std::string& field) {
  return field.empty() || (field.front() != ' ' && field.back() != ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = sumvane::DecodeFileText(bytes);
  FUZZ_CHECK(sumvane::IsValidUtf8(text));
  if (sumvane::IsValidUtf8(bytes)) {
    FUZZ_CHECK(text == bytes || "\xEF\xBB\xBF" + text == bytes);
  }

  const auto rows = sumvane::ParseImportText(text);
  const std::vector<std::string_view> lines = MarkerLines(text);
  if (lines.size() > static_cast<std::size_t>(sumvane::SampleList::kMaxRows)) {
    FUZZ_CHECK(!rows.has_value());
    return 0;
  }
  FUZZ_CHECK(rows.has_value());
  FUZZ_CHECK(rows->size() == lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const sumvane::SampleRow& row = (*rows)[i];
    std::size_t from = 0;
    for (const std::string* field : {&row.label, &row.group1, &row.group2}) {
      FUZZ_CHECK(Trimmed(*field));
      // Fields come from their own line, in order.
      const std::size_t at = lines[i].find(*field, from);
      FUZZ_CHECK(at != std::string_view::npos);
      from = at + field->size();
    }
  }
  return 0;
}
