// The recovery journal: what it reads back from whole, torn and damaged
// files, and what its writer leaves on disk. Expected states come from the
// SampleList itself, which the journal's list changes must mirror.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "file_test_support.h"
#include "files/file_store.h"
#include "files/journal_format.h"
#include "files/recovery_journal.h"

namespace sumvane {

inline void PrintTo(const JournalState& state, std::ostream* os) {
  *os << "analysis " << state.analysis << " alpha " << state.alpha << " cells "
      << testing::PrintToString(state.cells) << " rows " << testing::PrintToString(state.rows);
}

namespace {

using testing_support::TempDir;

SampleRow Row(std::string label, std::string a, std::string b) {
  return {std::move(label), std::move(a), std::move(b)};
}

// A journal of a short session, one record per step, and the state after
// each record as the list and the plain fields give it.
struct Session {
  std::string bytes{kJournalMagic};
  std::vector<std::size_t> recordEnds;
  std::vector<JournalState> states;

  void Record(const std::string& payload, const JournalState& state) {
    bytes += FrameRecord(payload);
    recordEnds.push_back(bytes.size());
    states.push_back(state);
  }
};

Session TypicalSession() {
  Session session;
  JournalState state;
  SampleList list;
  std::string payload;
  const auto replace = [&](int first, int count, std::vector<SampleRow> rows) {
    AddRowsReplaced(payload, first, count, rows);
    list.ReplaceRows(first, count, std::move(rows));
    state.rows = list.Rows();
  };
  const auto step = [&] {
    session.Record(payload, state);
    payload.clear();
  };

  state.cells = {"12", "", "", ""};
  AddSnapshot(payload, 0, 0, state.cells, {});
  step();
  replace(1, 0, {Row("1", "5.2", "")});
  step();
  replace(2, 0, {Row("2", "4.1", ""), Row("3", "6", "7.5")});
  replace(1, 1, {Row("1", "5.25", "中文")});
  step();
  AddAnalysis(payload, 2);
  state.analysis = 2;
  AddAlpha(payload, 1);
  state.alpha = 1;
  step();
  replace(2, 1, {});
  step();
  AddCells(payload, {"8", "2", "", "10"});
  state.cells = {"8", "2", "", "10"};
  step();
  return session;
}

TEST(JournalReadingTest, EveryCutKeepsTheStepsWrittenWholeBeforeIt) {
  const Session session = TypicalSession();
  EXPECT_EQ(ReadJournal(session.bytes).state, session.states.back());
  for (std::size_t cut = 0; cut <= session.bytes.size(); ++cut) {
    const JournalReading reading = ReadJournal(std::string_view(session.bytes).substr(0, cut));
    std::size_t whole = 0;
    while (whole < session.recordEnds.size() && session.recordEnds[whole] <= cut) ++whole;
    if (whole == 0) {
      EXPECT_FALSE(reading.state) << "cut at " << cut;
      continue;
    }
    EXPECT_EQ(reading.state, session.states[whole - 1]) << "cut at " << cut;
    EXPECT_EQ(reading.wholeBytes, session.recordEnds[whole - 1]) << "cut at " << cut;
  }
}

TEST(JournalReadingTest, DamageEndsTheJournalAtTheRecordBeforeIt) {
  const Session session = TypicalSession();
  const std::size_t thirdStart = session.recordEnds[1];
  std::string flippedPayload = session.bytes;
  flippedPayload[thirdStart + 9] ^= 0x01;
  std::string flippedLength = session.bytes;
  flippedLength[thirdStart] ^= 0x01;
  std::string flippedChecksum = session.bytes;
  flippedChecksum[thirdStart + 4] ^= 0x01;
  // A file system may leave zeros after the last write that reached the disk.
  const std::string zeros = session.bytes + std::string(4096, '\0');
  std::string noSnapshot(kJournalMagic);
  noSnapshot += session.bytes.substr(session.recordEnds[0]);
  // A change that does not fit the list (row 9 of 1) is damage too.
  std::string misfit = session.bytes.substr(0, session.recordEnds[1]);
  std::string payload;
  AddRowsReplaced(payload, 9, 0, std::vector<SampleRow>{Row("9", "1", "")});
  misfit += FrameRecord(payload);

  struct Case {
    const char* what;
    const std::string& bytes;
    std::optional<JournalState> state;
  };
  const Case cases[] = {
      {"a payload byte", flippedPayload, session.states[1]},
      {"a length byte", flippedLength, session.states[1]},
      {"a checksum byte", flippedChecksum, session.states[1]},
      {"zeros after the end", zeros, session.states.back()},
      {"no whole state first", noSnapshot, std::nullopt},
      {"a change that does not fit", misfit, session.states[1]},
      {"another file", std::string("·1        5.2\r\n"), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadJournal(c.bytes).state, c.state) << c.what;
}

std::string FileText(const std::string& path) { return ReadWholeFile(path).value_or("<no file>"); }

TEST(RecoveryJournalTest, WritesEachCommittedStepAndStartsAfreshWhenOutgrown) {
  TempDir dir;
  const std::string path = dir.File("window.journal");
  std::atomic<int> failures = 0;
  // Records may outgrow the state by 2 KB before the file starts afresh.
  RecoveryJournal journal(
      path, [&] { ++failures; }, 2048);
  SampleList list;
  JournalCells cells;
  const auto commit = [&](int analysis) {
    journal.Commit({analysis, 0, cells, list.Rows()});
    journal.WaitUntilWritten();
  };

  list.AppendRow("1");
  journal.StateReplaced();
  commit(0);
  EXPECT_EQ(ReadJournal(FileText(path)).state, (JournalState{0, 0, cells, list.Rows()}));

  std::size_t largest = 0;
  for (int i = 0; i < 400; ++i) {
    const std::string label = std::to_string(i + 2);
    list.AppendRow(label);
    list.SetCell(list.Count(), 1, label + ".5");
    journal.RowsReplaced(list.Count(), 0, std::span(list.Rows()).last(1));
    if (i % 50 == 0) {
      cells[0] = label;
      journal.CellsSet(cells);
    }
    commit(0);
    largest = std::max(largest, std::filesystem::file_size(path));
  }
  EXPECT_EQ(ReadJournal(FileText(path)).state, (JournalState{0, 0, cells, list.Rows()}));
  // The 400 steps take more than 4 KB as records; the file stays within the
  // state and the records allowed beside it.
  std::string state;
  AddSnapshot(state, 0, 0, cells, list.Rows());
  EXPECT_LE(largest, 2 * state.size() + 2048 + 64);
  EXPECT_EQ(failures, 0);

  journal.Remove();
  journal.WaitUntilWritten();
  EXPECT_FALSE(std::filesystem::exists(path));
  // The next change starts the file afresh with the whole state.
  list.SetCell(1, 2, "3");
  journal.RowsReplaced(1, 1, std::span(list.Rows()).first(1));
  commit(4);
  EXPECT_EQ(ReadJournal(FileText(path)).state, (JournalState{4, 0, cells, list.Rows()}));
}

TEST(RecoveryJournalTest, AFailedWriteIsReportedAndMendedByTheWholeState) {
  TempDir dir;
  const std::string folder = dir.File("later");
  std::atomic<int> failures = 0;
  JournalCells cells;
  const std::vector<SampleRow> rows{Row("1", "2", "")};
  RecoveryJournal journal(folder + "/window.journal", [&] { ++failures; });
  journal.StateReplaced();
  journal.Commit({0, 0, cells, rows});
  journal.WaitUntilWritten();
  EXPECT_TRUE(journal.Broken());
  EXPECT_EQ(failures, 1);

  // Once the folder exists, the next step writes the whole state, not a
  // record after a start that is missing.
  std::filesystem::create_directory(folder);
  journal.AlphaSet(1);
  journal.Commit({0, 1, cells, rows});
  journal.WaitUntilWritten();
  EXPECT_FALSE(journal.Broken());
  EXPECT_EQ(ReadJournal(FileText(folder + "/window.journal")).state,
            (JournalState{0, 1, cells, rows}));
}

}  // namespace
}  // namespace sumvane
