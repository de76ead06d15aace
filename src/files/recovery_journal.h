// The recovery journal of one window: what the user changes (the list, the
// four cells, the analysis and α) goes to a file in the user's data folder,
// from which the next start rebuilds it after the program or the machine
// stopped without a normal exit.
//
// The window reports each change as it happens; Commit, once the step that
// made them is over, hands them to the writer as one record, so a step is
// found in the file whole or not at all. The file starts afresh with the
// whole state when it is new, after a failed write, when the whole list was
// replaced at once, and when the records since the last whole state outgrow
// it, so that it stays within a few times the size of the state.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "entry/sample_list.h"
#include "files/journal_format.h"
#include "files/journal_writer.h"

namespace sumvane {

class RecoveryJournal {
 public:
  // The window's state as it stands, for a journal started afresh.
  struct StateView {
    int analysis = 0;
    int alpha = 0;
    const JournalCells& cells;
    std::span<const SampleRow> rows;
  };

  // `onFailure` runs on the writer's thread when a write fails. Records since
  // the last whole state may reach `smallestRestart` bytes before the file is
  // started afresh, however small the state.
  RecoveryJournal(std::string path, JournalWriter::FailureHandler onFailure,
                  std::size_t smallestRestart = 256 * 1024);

  void RowsReplaced(int first, int count, std::span<const SampleRow> rows);
  void CellsSet(const JournalCells& cells);
  void AnalysisSet(int analysis);
  void AlphaSet(int alpha);
  // The whole list was replaced: the next commit writes the whole state.
  void StateReplaced();

  bool HasPending() const { return !payload_.empty() || replaced_; }
  // Hands over the changes reported since the last commit.
  void Commit(const StateView& state);
  // The file is deleted; the next change starts it afresh.
  void Remove();
  void WaitUntilWritten() { writer_.WaitUntilWritten(); }
  // Whether the last write failed.
  bool Broken() const { return writer_.Broken(); }

 private:
  JournalWriter writer_;
  const std::size_t smallestRestart_;
  std::string payload_;
  bool replaced_ = false;
  bool fresh_ = true;
  std::size_t stateBytes_ = 0;
  std::size_t sinceState_ = 0;
};

}  // namespace sumvane
