// The recovery journal's format. It keeps what a crash would lose (the list,
// the four cells of the fourfold table, the analysis and α) as a file of
// records that the next start reads back:
//
//   file     "SVJ1", then records; the first record holds the whole state
//   record   the payload's length (4 bytes, little-endian), the CRC-32 of the
//            length's 4 bytes and the payload (4 bytes), the payload
//   payload  one or more changes, applied together or not at all
//
// A crash, or a loss of power, may leave the last record torn. A reader keeps
// every record up to the first one that runs past the end of the file, fails
// its checksum or does not fit the state before it, and ignores the rest.
// The length is part of the checksum, so the zeros a file system may leave
// after a power loss never read as a record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "entry/sample_list.h"

namespace sumvane {

inline constexpr std::string_view kJournalMagic = "SVJ1";

using JournalCells = std::array<std::string, 4>;

// The analysis is its number (0 to 4), α its level (0: α=0.05, 1: α=0.01).
struct JournalState {
  static constexpr int kAnalyses = 5;
  static constexpr int kAlphas = 2;

  int analysis = 0;
  int alpha = 0;
  JournalCells cells;
  std::vector<SampleRow> rows;

  // Whether there is anything a fresh start would not show: rows or a cell.
  bool HoldsData() const;
  bool operator==(const JournalState&) const = default;
};

// The changes a payload holds, each appended to `payload` in turn.
void AddSnapshot(std::string& payload, int analysis, int alpha, const JournalCells& cells,
                 std::span<const SampleRow> rows);
// The `count` rows from position `first` replaced by `rows`, as
// SampleList::ReplaceRows does.
void AddRowsReplaced(std::string& payload, int first, int count, std::span<const SampleRow> rows);
void AddCells(std::string& payload, const JournalCells& cells);
void AddAnalysis(std::string& payload, int analysis);
void AddAlpha(std::string& payload, int alpha);

// The record that carries a payload: its length, checksum and the payload.
std::string FrameRecord(std::string_view payload);

// CRC-32 (IEEE 802.3, as zlib computes it).
std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

struct JournalReading {
  // The state after the last whole record; none when the file does not start
  // with the magic and a record holding the whole state.
  std::optional<JournalState> state;
  // How many bytes from the start those records take.
  std::size_t wholeBytes = 0;
};

JournalReading ReadJournal(std::string_view bytes);

}  // namespace sumvane
