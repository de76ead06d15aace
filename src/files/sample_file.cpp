#include "files/sample_file.h"

#include <array>
#include <cstddef>

#include "files/encoding.h"

namespace sumvane {

namespace {

constexpr std::string_view kMarker = "\xC2\xB7";  // U+00B7, the row marker
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kLabelWidth = 9;
constexpr std::size_t kGroup1Width = 16;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += !IsContinuationByte(c);
  return count;
}

void AppendPadded(std::string& out, std::string_view text, std::size_t width) {
  out.append(text);
  const std::size_t length = CharacterCount(text);
  if (length < width) out.append(width - length, ' ');
}

std::string_view TrimBlanks(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = field.find_last_not_of(' ');
  return field.substr(first, last - first + 1);
}

// Cuts a row line into its three fields. Character k (1-based) starts at the
// k-th byte that is not a UTF-8 continuation byte; a field past the end of a
// short line is empty.
SampleRow CutRow(std::string_view line) {
  // Byte offsets where characters 2, 11 and 27 start.
  constexpr std::array<std::size_t, 3> kCuts = {2, 11, 27};
  std::array<std::size_t, 3> offsets = {line.size(), line.size(), line.size()};
  std::size_t character = 0;
  std::size_t next_cut = 0;
  for (std::size_t i = 0; i < line.size() && next_cut < kCuts.size(); ++i) {
    if (i > 0 && IsContinuationByte(line[i])) continue;
    ++character;
    if (character == kCuts[next_cut]) offsets[next_cut++] = i;
  }
  auto field = [&](std::size_t from, std::size_t to) {
    return std::string(TrimBlanks(line.substr(from, to - from)));
  };
  return SampleRow{field(offsets[0], offsets[1]), field(offsets[1], offsets[2]),
                   field(offsets[2], line.size())};
}

}  // namespace

std::string ExportText(const SampleList& list) {
  std::string out;
  std::size_t size = kLineEnd.size();
  for (const SampleRow& row : list.Rows()) {
    size += kMarker.size() + kLabelWidth + kGroup1Width + row.label.size() + row.group1.size() +
            row.group2.size() + kLineEnd.size();
  }
  out.reserve(size);
  for (const SampleRow& row : list.Rows()) {
    out.append(kMarker);
    AppendPadded(out, row.label, kLabelWidth);
    AppendPadded(out, row.group1, kGroup1Width);
    out.append(row.group2);
    out.append(kLineEnd);
  }
  out.append(kLineEnd);
  return out;
}

std::optional<std::vector<SampleRow>> ParseImportText(std::string_view utf8) {
  std::vector<SampleRow> rows;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    std::size_t line_end = pos;
    while (line_end < utf8.size() && utf8[line_end] != '\r' && utf8[line_end] != '\n') {
      ++line_end;
    }
    const std::string_view line = utf8.substr(pos, line_end - pos);
    if (line.find(kMarker) != std::string_view::npos) {
      if (rows.size() == static_cast<std::size_t>(SampleList::kMaxRows)) return std::nullopt;
      rows.push_back(CutRow(line));
    }
    pos = line_end;
    if (pos < utf8.size()) {
      // CR LF is one line end; a lone CR or LF is one too.
      pos += (utf8[pos] == '\r' && pos + 1 < utf8.size() && utf8[pos + 1] == '\n') ? 2 : 1;
    }
  }
  return rows;
}

bool SaveSampleList(const SampleList& list, const std::string& path, FileOps& ops) {
  return SaveBytesAtomically(path, EncodeGb18030(ExportText(list)), ops);
}

std::optional<std::vector<SampleRow>> LoadSampleList(const std::string& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return ParseImportText(DecodeFileText(*bytes));
}

}  // namespace sumvane
