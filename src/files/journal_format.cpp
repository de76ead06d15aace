#include "files/journal_format.h"

#include <algorithm>
#include <iterator>

#include "files/encoding.h"

namespace sumvane {
namespace {

// The kinds of change, one byte each.
constexpr char kSnapshot = 'S';
constexpr char kRows = 'R';
constexpr char kCells = 'C';
constexpr char kAnalysis = 'A';
constexpr char kAlpha = 'L';

constexpr std::size_t kHeaderBytes = 8;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

void PutByte(std::string& out, int value) { out.push_back(static_cast<char>(value)); }

// Unsigned LEB128: seven bits a byte, low bits first.
void PutNumber(std::string& out, std::uint32_t value) {
  while (value >= 0x80) {
    out.push_back(static_cast<char>((value & 0x7F) | 0x80));
    value >>= 7;
  }
  out.push_back(static_cast<char>(value));
}

void PutText(std::string& out, std::string_view text) {
  PutNumber(out, static_cast<std::uint32_t>(text.size()));
  out.append(text);
}

void PutRows(std::string& out, std::span<const SampleRow> rows) {
  PutNumber(out, static_cast<std::uint32_t>(rows.size()));
  for (const SampleRow& row : rows) {
    PutText(out, row.label);
    PutText(out, row.group1);
    PutText(out, row.group2);
  }
}

void PutCells(std::string& out, const JournalCells& cells) {
  for (const std::string& cell : cells) PutText(out, cell);
}

void PutUint32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t GetUint32(std::string_view bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

// Reads a payload; every read that would run past its end, or find a value
// out of range, gives nothing.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : bytes_(bytes) {}
  bool AtEnd() const { return bytes_.empty(); }
  std::size_t Left() const { return bytes_.size(); }

  std::optional<int> Byte(int limit) {
    if (bytes_.empty()) return std::nullopt;
    const int value = static_cast<unsigned char>(bytes_.front());
    bytes_.remove_prefix(1);
    if (value >= limit) return std::nullopt;
    return value;
  }

  std::optional<std::uint32_t> Number() {
    std::uint32_t value = 0;
    for (int shift = 0; shift < 35; shift += 7) {
      if (bytes_.empty()) return std::nullopt;
      const auto byte = static_cast<unsigned char>(bytes_.front());
      bytes_.remove_prefix(1);
      if (shift == 28 && byte > 0x0F) return std::nullopt;
      value |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
      if ((byte & 0x80) == 0) return value;
    }
    return std::nullopt;
  }

  std::optional<std::string> Text() {
    const auto size = Number();
    if (!size || *size > bytes_.size()) return std::nullopt;
    const std::string_view text = bytes_.substr(0, *size);
    bytes_.remove_prefix(*size);
    if (!IsValidUtf8(text)) return std::nullopt;
    return std::string(text);
  }

  std::optional<JournalCells> Cells() {
    JournalCells cells;
    for (std::string& cell : cells) {
      auto text = Text();
      if (!text) return std::nullopt;
      cell = std::move(*text);
    }
    return cells;
  }

  std::optional<std::vector<SampleRow>> Rows() {
    const auto count = Number();
    // Each row takes at least three bytes, so a count the payload cannot hold
    // is refused before anything is reserved for it.
    if (!count || *count > static_cast<std::uint32_t>(SampleList::kMaxRows) ||
        *count > bytes_.size() / 3) {
      return std::nullopt;
    }
    std::vector<SampleRow> rows(*count);
    for (SampleRow& row : rows) {
      for (std::string* field : {&row.label, &row.group1, &row.group2}) {
        auto text = Text();
        if (!text) return std::nullopt;
        *field = std::move(*text);
      }
    }
    return rows;
  }

 private:
  std::string_view bytes_;
};

// One change as read, not yet applied.
struct Change {
  char kind = 0;
  int analysis = 0;
  int alpha = 0;
  int first = 0;
  int count = 0;
  JournalCells cells;
  std::vector<SampleRow> rows;
};

// The changes of a payload, checked against a list of `rowCount` rows; none
// when any change is malformed or does not fit the list as the changes
// before it leave it.
std::optional<std::vector<Change>> ParsePayload(std::string_view payload, int rowCount,
                                                bool needsSnapshot) {
  Cursor in(payload);
  std::vector<Change> changes;
  while (!in.AtEnd()) {
    Change change;
    const auto kind = in.Byte(256);
    change.kind = static_cast<char>(*kind);
    if (needsSnapshot && change.kind != kSnapshot) return std::nullopt;
    needsSnapshot = false;
    if (change.kind == kSnapshot || change.kind == kAnalysis) {
      const auto analysis = in.Byte(JournalState::kAnalyses);
      if (!analysis) return std::nullopt;
      change.analysis = *analysis;
    }
    if (change.kind == kSnapshot || change.kind == kAlpha) {
      const auto alpha = in.Byte(JournalState::kAlphas);
      if (!alpha) return std::nullopt;
      change.alpha = *alpha;
    }
    if (change.kind == kSnapshot || change.kind == kCells) {
      auto cells = in.Cells();
      if (!cells) return std::nullopt;
      change.cells = std::move(*cells);
    }
    if (change.kind == kRows) {
      const auto first = in.Number();
      const auto count = in.Number();
      if (!first || !count || *first < 1 || *first > static_cast<std::uint32_t>(rowCount) + 1 ||
          *count > static_cast<std::uint32_t>(rowCount) - (*first - 1)) {
        return std::nullopt;
      }
      change.first = static_cast<int>(*first);
      change.count = static_cast<int>(*count);
    }
    if (change.kind == kSnapshot || change.kind == kRows) {
      auto rows = in.Rows();
      if (!rows) return std::nullopt;
      change.rows = std::move(*rows);
    }
    switch (change.kind) {
      case kSnapshot:
        rowCount = static_cast<int>(change.rows.size());
        break;
      case kRows:
        rowCount += static_cast<int>(change.rows.size()) - change.count;
        if (rowCount > SampleList::kMaxRows) return std::nullopt;
        break;
      case kCells:
      case kAnalysis:
      case kAlpha:
        break;
      default:
        return std::nullopt;
    }
    changes.push_back(std::move(change));
  }
  if (changes.empty()) return std::nullopt;
  return changes;
}

void Apply(JournalState& state, Change& change) {
  switch (change.kind) {
    case kSnapshot:
      state = {change.analysis, change.alpha, std::move(change.cells), std::move(change.rows)};
      break;
    case kRows: {
      const auto at = state.rows.begin() + (change.first - 1);
      const auto after = state.rows.erase(at, at + change.count);
      state.rows.insert(after, std::make_move_iterator(change.rows.begin()),
                        std::make_move_iterator(change.rows.end()));
      break;
    }
    case kCells:
      state.cells = std::move(change.cells);
      break;
    case kAnalysis:
      state.analysis = change.analysis;
      break;
    case kAlpha:
      state.alpha = change.alpha;
      break;
    default:
      break;
  }
}

}  // namespace

bool JournalState::HoldsData() const {
  return !rows.empty() ||
         std::any_of(cells.begin(), cells.end(), [](const std::string& c) { return !c.empty(); });
}

void AddSnapshot(std::string& payload, int analysis, int alpha, const JournalCells& cells,
                 std::span<const SampleRow> rows) {
  PutByte(payload, kSnapshot);
  PutByte(payload, analysis);
  PutByte(payload, alpha);
  PutCells(payload, cells);
  PutRows(payload, rows);
}

void AddRowsReplaced(std::string& payload, int first, int count, std::span<const SampleRow> rows) {
  PutByte(payload, kRows);
  PutNumber(payload, static_cast<std::uint32_t>(first));
  PutNumber(payload, static_cast<std::uint32_t>(count));
  PutRows(payload, rows);
}

void AddCells(std::string& payload, const JournalCells& cells) {
  PutByte(payload, kCells);
  PutCells(payload, cells);
}

void AddAnalysis(std::string& payload, int analysis) {
  PutByte(payload, kAnalysis);
  PutByte(payload, analysis);
}

void AddAlpha(std::string& payload, int alpha) {
  PutByte(payload, kAlpha);
  PutByte(payload, alpha);
}

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc) {
  crc = ~crc;
  for (const char byte : bytes) {
    crc = kCrcTable[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
  }
  return ~crc;
}

std::string FrameRecord(std::string_view payload) {
  std::string record;
  record.reserve(kHeaderBytes + payload.size());
  PutUint32(record, static_cast<std::uint32_t>(payload.size()));
  const std::uint32_t crc = Crc32(payload, Crc32(record));
  PutUint32(record, crc);
  record.append(payload);
  return record;
}

JournalReading ReadJournal(std::string_view bytes) {
  JournalReading reading;
  if (!bytes.starts_with(kJournalMagic)) return reading;
  std::size_t at = kJournalMagic.size();
  JournalState state;
  bool started = false;
  while (bytes.size() - at >= kHeaderBytes) {
    const std::string_view header = bytes.substr(at, kHeaderBytes);
    const std::uint32_t length = GetUint32(header);
    if (length == 0 || length > bytes.size() - at - kHeaderBytes) break;
    const std::string_view payload = bytes.substr(at + kHeaderBytes, length);
    if (Crc32(payload, Crc32(header.substr(0, 4))) != GetUint32(header.substr(4))) break;
    auto changes = ParsePayload(payload, static_cast<int>(state.rows.size()), !started);
    if (!changes) break;
    for (Change& change : *changes) Apply(state, change);
    started = true;
    at += kHeaderBytes + length;
    reading.wholeBytes = at;
  }
  if (started) reading.state = std::move(state);
  return reading;
}

}  // namespace sumvane
