#include "files/sample_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "files/encoding.h"

namespace sumvane {

namespace {

constexpr std::string_view kMarker = "\xC2\xB7";  // U+00B7, the row marker
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kLabelWidth = 9;
constexpr std::size_t kGroup1Width = 16;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Eight bytes at a time: this runs on every row line.
bool IsAscii(std::string_view text) {
  std::uint64_t any = 0;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    any |= word;
  }
  for (; i < text.size(); ++i) any |= static_cast<unsigned char>(text[i]);
  return (any & 0x8080808080808080ULL) == 0;
}

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
// short line is empty. The fields go straight into `row`, a new row of the
// result, sparing a copy of every cell.
void CutRow(std::string_view line, SampleRow& row) {
  // Byte offsets where characters 2, 11 and 27 start.
  constexpr std::array<std::size_t, 3> kCuts = {2, 11, 27};
  std::array<std::size_t, 3> offsets = {line.size(), line.size(), line.size()};
  if (line.starts_with(kMarker) &&
      IsAscii(line.substr(kMarker.size(), kCuts.back() + 1 - kMarker.size()))) {
    // The usual row line, the marker and then plain ASCII up to and including
    // the byte of the last cut: character k starts at byte k.
    for (std::size_t cut = 0; cut < kCuts.size(); ++cut) {
      offsets[cut] = std::min(kCuts[cut], line.size());
    }
  } else {
    std::size_t character = 0;
    std::size_t next_cut = 0;
    for (std::size_t i = 0; i < line.size() && next_cut < kCuts.size(); ++i) {
      if (i > 0 && IsContinuationByte(line[i])) continue;
      ++character;
      if (character == kCuts[next_cut]) offsets[next_cut++] = i;
    }
  }
  auto field = [&](std::size_t from, std::size_t to) {
    return TrimBlanks(line.substr(from, to - from));
  };
  row.label.assign(field(offsets[0], offsets[1]));
  row.group1.assign(field(offsets[1], offsets[2]));
  row.group2.assign(field(offsets[2], line.size()));
}

// The first CR or LF at or after `from`, or the text's size. Looks at eight
// bytes at a time: every line of a file goes through here.
std::size_t FindLineEnd(std::string_view text, std::size_t from) {
  std::size_t i = from;
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    for (; i + 8 <= text.size(); i += 8) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + i, 8);
      const std::uint64_t cr = word ^ (kOnes * '\r');
      const std::uint64_t lf = word ^ (kOnes * '\n');
      // The lowest flagged byte is the first CR or LF; flags above it may be
      // false, which does not matter.
      const std::uint64_t hit = (((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighs;
      if (hit != 0) return i + static_cast<std::size_t>(std::countr_zero(hit) / 8);
    }
  }
  for (; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') return i;
  }
  return text.size();
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
  // Reserved at once: a growing vector would copy a full list's rows over and
  // over into fresh memory. Every row line but the last holds the two bytes of
  // the marker and a line end, which bounds their number.
  rows.reserve(std::min((utf8.size() + 1) / (kMarker.size() + 1),
                        static_cast<std::size_t>(SampleList::kMaxRows)));
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t line_end = FindLineEnd(utf8, pos);
    const std::string_view line = utf8.substr(pos, line_end - pos);
    // The marker starts nearly every row line; only other lines are searched.
    if (line.starts_with(kMarker) || line.find(kMarker) != std::string_view::npos) {
      if (rows.size() == static_cast<std::size_t>(SampleList::kMaxRows)) return std::nullopt;
      CutRow(line, rows.emplace_back());
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
