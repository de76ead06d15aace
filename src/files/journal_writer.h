// Writes a journal file from a thread of its own, so that the window never
// waits for the disk. There it frames each payload as a record
// (journal_format.h), writes each batch of records, and forces them to the
// disk with fdatasync, so that a change survives a loss of power as well as a
// crash of the program. A batch starts at most once a pause (100 ms): a
// change reaches the disk well within a second of being handed over, while a
// fast typist costs a few syncs a second, not one a key.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace sumvane {

class JournalWriter {
 public:
  // Runs on the writer's thread each time a write fails.
  using FailureHandler = std::function<void()>;

  // The folder of `path` must exist; nothing is written until handed over.
  JournalWriter(std::string path, FailureHandler onFailure,
                std::chrono::milliseconds pause = std::chrono::milliseconds(100));
  // Writes everything handed over, then stops.
  ~JournalWriter();
  JournalWriter(const JournalWriter&) = delete;
  JournalWriter& operator=(const JournalWriter&) = delete;

  // The file starts afresh with one record of `payload`, which must hold the
  // whole state: written beside the file and renamed over it, so that a crash
  // leaves either the old file or the new one.
  void Rewrite(std::string payload);
  // A record of `payload` goes at the end of the file. After a failure, or
  // after Remove, it is dropped until the next Rewrite: the file must not
  // miss a change.
  void Append(std::string payload);
  // The file is deleted.
  void Remove();
  // Returns once everything handed over so far was written, or failed.
  void WaitUntilWritten();
  // Whether the last write failed, so that only a Rewrite can mend the file.
  bool Broken() const { return broken_; }

 private:
  enum class Kind { kRewrite, kAppend, kRemove };
  struct Task {
    Kind kind;
    std::string payload;
  };

  void Hand(Kind kind, std::string payload);
  void Run();
  void Perform(std::vector<Task>& tasks);
  bool WriteWhole(std::string_view bytes);
  void Close();

  const std::string path_;
  const FailureHandler onFailure_;
  const std::chrono::milliseconds pause_;
  int handle_ = -1;  // open for appending once the file was written whole
  std::atomic<bool> broken_{false};

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  std::vector<Task> tasks_;
  bool busy_ = false;
  bool stopping_ = false;
  int waiting_ = 0;
  std::thread thread_;
};

}  // namespace sumvane
