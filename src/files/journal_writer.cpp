#include "files/journal_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include "files/file_store.h"
#include "files/journal_format.h"

namespace sumvane {

JournalWriter::JournalWriter(std::string path, FailureHandler onFailure,
                             std::chrono::milliseconds pause)
    : path_(std::move(path)), onFailure_(std::move(onFailure)), pause_(pause) {
  thread_ = std::thread([this] { Run(); });
}

JournalWriter::~JournalWriter() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
  Close();
}

void JournalWriter::Rewrite(std::string payload) { Hand(Kind::kRewrite, std::move(payload)); }

void JournalWriter::Append(std::string payload) { Hand(Kind::kAppend, std::move(payload)); }

void JournalWriter::Remove() { Hand(Kind::kRemove, {}); }

void JournalWriter::Hand(Kind kind, std::string payload) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back({kind, std::move(payload)});
  }
  wake_.notify_all();
}

void JournalWriter::WaitUntilWritten() {
  std::unique_lock lock(mutex_);
  ++waiting_;
  wake_.notify_all();
  done_.wait(lock, [this] { return tasks_.empty() && !busy_; });
  --waiting_;
}

void JournalWriter::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return !tasks_.empty() || stopping_; });
    if (tasks_.empty()) break;
    std::vector<Task> tasks;
    tasks.swap(tasks_);
    busy_ = true;
    lock.unlock();
    const auto synced = std::chrono::steady_clock::now();
    Perform(tasks);
    lock.lock();
    busy_ = false;
    done_.notify_all();
    // Changes handed over meanwhile gather into the next batch, unless the
    // owner waits for them or is going.
    wake_.wait_until(lock, synced + pause_, [this] { return stopping_ || waiting_ > 0; });
  }
}

// Only what follows the last rewrite or removal matters: the file is made
// from there on, and the records after it go in one write and one sync.
void JournalWriter::Perform(std::vector<Task>& tasks) {
  std::size_t from = 0;
  for (std::size_t i = 0; i < tasks.size(); ++i) {
    if (tasks[i].kind != Kind::kAppend) from = i;
  }
  bool ok = true;
  if (tasks[from].kind == Kind::kRemove) {
    Close();
    ::unlink(path_.c_str());
    ::unlink((path_ + ".new").c_str());
    // Nothing may be appended to a file that is gone.
    broken_ = true;
  } else if (tasks[from].kind == Kind::kRewrite) {
    ok = WriteWhole(std::string(kJournalMagic) + FrameRecord(tasks[from].payload));
    broken_ = !ok;
  }
  std::string records;
  for (std::size_t i = from; i < tasks.size(); ++i) {
    if (tasks[i].kind == Kind::kAppend) records += FrameRecord(tasks[i].payload);
  }
  if (ok && !broken_ && !records.empty()) {
    ok = WriteAll(handle_, records) && ::fdatasync(handle_) == 0;
  }
  if (!ok) {
    // A record may be half written: nothing more goes after it.
    Close();
    broken_ = true;
    if (onFailure_) onFailure_();
  }
}

bool JournalWriter::WriteWhole(std::string_view bytes) {
  Close();
  const std::string fresh = path_ + ".new";
  const int handle = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (handle < 0) return false;
  bool ok = WriteAll(handle, bytes) && ::fdatasync(handle) == 0;
  ok = ::close(handle) == 0 && ok;
  if (!ok || ::rename(fresh.c_str(), path_.c_str()) != 0) {
    ::unlink(fresh.c_str());
    return false;
  }
  // The new name must reach the disk as well as the bytes.
  const int folder = ::open(FolderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  handle_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  return handle_ >= 0;
}

void JournalWriter::Close() {
  if (handle_ >= 0) ::close(handle_);
  handle_ = -1;
}

}  // namespace sumvane
