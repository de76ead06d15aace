#include "files/sample_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "files/byte_scan.h"
#include "files/csv_file.h"
#include "files/encoding.h"
#include "stats/utf8.h"

namespace sumvane {

namespace {

constexpr std::string_view kMarker = "\xC2\xB7";  // U+00B7, the row marker
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kLabelWidth = 9;
constexpr std::size_t kGroup1Width = 16;
// Where the columns start in the usual row line, the marker and then ASCII,
// in bytes.
constexpr std::size_t kLabelByte = kMarker.size();
constexpr std::size_t kGroup1Byte = kLabelByte + kLabelWidth;
constexpr std::size_t kGroup2Byte = kGroup1Byte + kGroup1Width;

void AppendPadded(std::string& out, std::string_view text, std::size_t width) {
  out.append(text);
  const std::size_t length = utf8::CountCodePoints(text);
  if (length < width) out.append(width - length, ' ');
}

// The field without the blanks around it. The columns are padded with up to
// sixteen blanks, so those at the end are counted eight bytes at a time.
std::string_view TrimBlanks(std::string_view field) {
  std::size_t first = 0;
  while (first < field.size() && field[first] == ' ') ++first;
  std::size_t last = field.size();
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020ULL;
    while (last - first >= 8) {
      std::uint64_t word;
      std::memcpy(&word, field.data() + last - 8, 8);
      // The last bytes are the most significant: its leading zero bytes are
      // the trailing blanks.
      const std::uint64_t other = word ^ kEightBlanks;
      last -= other == 0 ? 8 : static_cast<std::size_t>(std::countl_zero(other) / 8);
      if (other != 0) return field.substr(first, last - first);
    }
  }
  while (last > first && field[last - 1] == ' ') --last;
  return field.substr(first, last - first);
}

// Cuts a row line into its three fields. Character k (1-based) starts at the
// k-th byte that is not a UTF-8 continuation byte; a field past the end of a
// short line is empty.
SampleRow CutRow(std::string_view line) {
  // Byte offsets where characters 2, 11 and 27 start.
  constexpr std::array<std::size_t, 3> kCuts = {2, 11, 27};
  std::array<std::size_t, 3> offsets = {line.size(), line.size(), line.size()};
  // Up to and including the byte of the last cut.
  const std::string_view head = line.substr(0, kCuts.back() + 1);
  if (line.starts_with(kMarker) &&
      AsciiRun(head.substr(kMarker.size())) + kMarker.size() == head.size()) {
    // The usual row line, the marker and then plain ASCII up to and including
    // the byte of the last cut: character k starts at byte k.
    for (std::size_t cut = 0; cut < kCuts.size(); ++cut) {
      offsets[cut] = std::min(kCuts[cut], line.size());
    }
  } else {
    std::size_t character = 0;
    std::size_t next_cut = 0;
    for (std::size_t i = 0; i < line.size() && next_cut < kCuts.size(); ++i) {
      if (i > 0 && utf8::IsContinuation(line[i])) continue;
      ++character;
      if (character == kCuts[next_cut]) offsets[next_cut++] = i;
    }
  }
  auto field = [&](std::size_t from, std::size_t to) {
    return TrimBlanks(line.substr(from, to - from));
  };
  return SampleRow{std::string(field(offsets[0], offsets[1])),
                   std::string(field(offsets[1], offsets[2])),
                   std::string(field(offsets[2], line.size()))};
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

ImportResult ParseImportText(std::string_view utf8) {
  ImportResult result;
  std::vector<SampleRow>& rows = result.rows;
  // Reserved at once: a growing vector would copy a full list's rows over and
  // over into fresh memory. Every row line but the last holds the two bytes of
  // the marker and a line end, which bounds their number.
  rows.reserve(std::min((utf8.size() + 1) / (kMarker.size() + 1),
                        static_cast<std::size_t>(SampleList::kMaxRows)));
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    if (rows.size() == static_cast<std::size_t>(SampleList::kMaxRows)) {
      // Only a further row line makes the file too long.
      if (utf8.find(kMarker, pos) != std::string_view::npos) {
        return WithoutRows(ImportStatus::kTooManyRows);
      }
      break;
    }
    // The usual row line as this program writes it: the marker, then the
    // label and group-1 columns in ASCII without a line end, so that
    // character k is byte k and only group 2 needs its end found.
    const std::string_view rest = utf8.substr(pos);
    if (rest.size() > kGroup2Byte && rest.starts_with(kMarker) &&
        IsAsciiWithoutLineEnd(rest.substr(kLabelByte, kGroup2Byte - kLabelByte))) {
      const std::size_t line_end = FindLineEnd(utf8, pos + kGroup2Byte);
      rows.push_back(SampleRow{
          std::string(TrimBlanks(rest.substr(kLabelByte, kLabelWidth))),
          std::string(TrimBlanks(rest.substr(kGroup1Byte, kGroup1Width))),
          std::string(TrimBlanks(rest.substr(kGroup2Byte, line_end - pos - kGroup2Byte)))});
      pos = line_end + LineEndLength(utf8, line_end);
      continue;
    }
    const std::size_t line_end = FindLineEnd(utf8, pos);
    const std::string_view line = utf8.substr(pos, line_end - pos);
    // The marker starts nearly every row line; only other lines are searched.
    if (line.find(kMarker) != std::string_view::npos) rows.push_back(CutRow(line));
    pos = line_end + LineEndLength(utf8, line_end);
  }
  result.status = rows.empty() ? ImportStatus::kNoRows : ImportStatus::kRows;
  return result;
}

bool SaveSampleList(const SampleList& list, const std::string& path, FileOps& ops) {
  return SaveBytesAtomically(path, EncodeGb18030(ExportText(list)), ops);
}

ImportResult LoadSampleList(const std::string& path) {
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return ImportResult{};
  DecodedText decoded = DecodeFileText(std::move(*bytes));
  ImportResult result = ParseImportText(decoded.text);
  if (result.status == ImportStatus::kNoRows) result = ParseTextAsTable(decoded.text);
  result.undecodableLines = decoded.undecodableLines;
  return result;
}

}  // namespace sumvane
