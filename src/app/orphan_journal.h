// A journal left by a window that ended without a normal exit: its owner no
// longer runs, so its lock could be taken. It stays locked while this window
// asks what to do with it, so that no other window offers it too.
#pragma once

#include <QString>
#include <memory>

#include "files/journal_format.h"

class QLockFile;

namespace sumvane {

class OrphanJournal {
 public:
  // The newest journal in `folder` that holds data and whose owner no longer
  // runs; none when there is none. Such journals that hold nothing are
  // deleted on the way, as are locks left without a journal; a journal whose
  // owner still runs is left alone.
  static std::unique_ptr<OrphanJournal> Take(const QString& folder);

  ~OrphanJournal();
  const JournalState& State() const { return state_; }
  // Deletes the journal; the lock goes with this object.
  void Remove();

 private:
  OrphanJournal(QString stem, std::unique_ptr<QLockFile> lock, JournalState state);

  QString stem_;
  std::unique_ptr<QLockFile> lock_;
  JournalState state_;
};

}  // namespace sumvane
