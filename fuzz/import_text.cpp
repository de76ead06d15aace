// Any file's bytes through decoding and row parsing: the text is well-formed
// UTF-8 with no more lines than the bytes had, and the rows are exactly the
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

// The lines of the text, split at CR LF, LF or CR.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
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
  const sumvane::DecodedText decoded = sumvane::DecodeFileText(std::string(bytes));
  const std::string& text = decoded.text;
  FUZZ_CHECK(sumvane::IsValidUtf8(text));
  if (sumvane::IsValidUtf8(bytes) && bytes.find('\0') == std::string_view::npos) {
    FUZZ_CHECK(text == bytes || "\xEF\xBB\xBF" + text == bytes);
    FUZZ_CHECK(decoded.undecodableLines == 0);
  }
  // Every line end of the text comes from a CR or LF byte of the file.
  std::size_t line_end_bytes = 0;
  for (const char c : bytes) line_end_bytes += c == '\r' || c == '\n';
  const std::vector<std::string_view> lines = Lines(text);
  FUZZ_CHECK(lines.size() <= line_end_bytes + 1);
  FUZZ_CHECK(decoded.undecodableLines >= 0 &&
             static_cast<std::size_t>(decoded.undecodableLines) <= lines.size());

  std::vector<std::string_view> marker_lines;
  for (const std::string_view line : lines) {
    if (line.find(kMarker) != std::string_view::npos) marker_lines.push_back(line);
  }
  const sumvane::ImportResult rows = sumvane::ParseImportText(text);
  if (marker_lines.size() > static_cast<std::size_t>(sumvane::SampleList::kMaxRows)) {
    FUZZ_CHECK(rows.status == sumvane::ImportStatus::kTooManyRows && rows.rows.empty());
    return 0;
  }
  FUZZ_CHECK(rows.status == (marker_lines.empty() ? sumvane::ImportStatus::kNoRows
                                                  : sumvane::ImportStatus::kRows));
  FUZZ_CHECK(rows.rows.size() == marker_lines.size());
  for (std::size_t i = 0; i < marker_lines.size(); ++i) {
    const sumvane::SampleRow& row = rows.rows[i];
    std::size_t from = 0;
    for (const std::string* field : {&row.label, &row.group1, &row.group2}) {
      FUZZ_CHECK(Trimmed(*field));
      // Fields come from their own line, in order.
      const std::size_t at = marker_lines[i].find(*field, from);
      FUZZ_CHECK(at != std::string_view::npos);
      from = at + field->size();
    }
  }
  return 0;
}
