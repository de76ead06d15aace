// Any bytes as a recovery journal: the reading is a whole state or nothing,
// never a crash. A state read is one the window can hold, the bytes it came
// from read alone give it again, and written afresh as one record it reads
// back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "entry/sample_list.h"
#include "files/encoding.h"
#include "files/journal_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sumvane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const JournalReading reading = ReadJournal(bytes);
  if (!reading.state) {
    FUZZ_CHECK(reading.wholeBytes == 0);
    return 0;
  }
  const JournalState& state = *reading.state;
  FUZZ_CHECK(state.analysis >= 0 && state.analysis < JournalState::kAnalyses);
  FUZZ_CHECK(state.alpha >= 0 && state.alpha < JournalState::kAlphas);
  FUZZ_CHECK(state.rows.size() <= static_cast<std::size_t>(SampleList::kMaxRows));
  for (const std::string& cell : state.cells) FUZZ_CHECK(IsValidUtf8(cell));
  for (const SampleRow& row : state.rows) {
    FUZZ_CHECK(IsValidUtf8(row.label) && IsValidUtf8(row.group1) && IsValidUtf8(row.group2));
  }
  FUZZ_CHECK(reading.wholeBytes > kJournalMagic.size() && reading.wholeBytes <= size);
  FUZZ_CHECK(ReadJournal(bytes.substr(0, reading.wholeBytes)).state == state);

  std::string payload;
  AddSnapshot(payload, state.analysis, state.alpha, state.cells, state.rows);
  const JournalReading again = ReadJournal(std::string(kJournalMagic) + FrameRecord(payload));
  FUZZ_CHECK(again.state == state);
  return 0;
}
