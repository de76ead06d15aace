#include "files/recovery_journal.h"

#include <algorithm>

namespace sumvane {

RecoveryJournal::RecoveryJournal(std::string path, JournalWriter::FailureHandler onFailure,
                                 std::size_t smallestRestart)
    : writer_(std::move(path), std::move(onFailure)), smallestRestart_(smallestRestart) {}

void RecoveryJournal::RowsReplaced(int first, int count, std::span<const SampleRow> rows) {
  if (!replaced_) AddRowsReplaced(payload_, first, count, rows);
}

void RecoveryJournal::CellsSet(const JournalCells& cells) { AddCells(payload_, cells); }

void RecoveryJournal::AnalysisSet(int analysis) { AddAnalysis(payload_, analysis); }

void RecoveryJournal::AlphaSet(int alpha) { AddAlpha(payload_, alpha); }

void RecoveryJournal::StateReplaced() {
  replaced_ = true;
  payload_.clear();
}

void RecoveryJournal::Commit(const StateView& state) {
  if (!HasPending()) return;
  const bool outgrown = sinceState_ + payload_.size() > std::max(smallestRestart_, 2 * stateBytes_);
  if (fresh_ || replaced_ || outgrown || writer_.Broken()) {
    std::string whole;
    AddSnapshot(whole, state.analysis, state.alpha, state.cells, state.rows);
    stateBytes_ = whole.size();
    sinceState_ = 0;
    writer_.Rewrite(std::move(whole));
  } else {
    sinceState_ += payload_.size();
    writer_.Append(std::move(payload_));
  }
  payload_.clear();
  replaced_ = false;
  fresh_ = false;
}

void RecoveryJournal::Remove() {
  writer_.Remove();
  payload_.clear();
  replaced_ = false;
  fresh_ = true;
}

}  // namespace sumvane
