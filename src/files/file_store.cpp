#include "files/file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>

namespace sumvane {

namespace {

class PosixFileOps final : public FileOps {
 public:
  std::optional<Temporary> CreateTemporaryBeside(const std::string& target) override {
    // The new file takes an existing target's permissions; otherwise the usual
    // ones for a new file (0666 less the umask), which mkstemp would not give.
    struct stat existing;
    const bool replaces = ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    // A short name of its own, so that a target name near the length limit
    // still leaves room for it.
    const std::string stem = FolderOf(target) + "/.sumvane-" + std::to_string(::getpid()) + "-";
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string path =
          stem + std::to_string(counter++) + "-" + std::to_string(random() % 1000000) + ".tmp";
      const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0) {
        if (replaces) ::fchmod(fd, existing.st_mode & 07777);
        return Temporary{fd, path};
      }
      if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
  }

  bool Write(int handle, std::string_view bytes) override { return WriteAll(handle, bytes); }

  bool Sync(int handle) override { return ::fsync(handle) == 0; }

  bool Close(int handle) override { return ::close(handle) == 0; }

  bool Rename(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    // Make the new directory entry itself durable; the content already is,
    // so a failure here does not undo the save.
    const int folder = ::open(FolderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      ::fsync(folder);
      ::close(folder);
    }
    return true;
  }

  void Remove(const std::string& path) override { ::unlink(path.c_str()); }
};

}  // namespace

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool WriteAll(int handle, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(handle, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

FileOps& DefaultFileOps() {
  static PosixFileOps ops;
  return ops;
}

bool SaveBytesAtomically(const std::string& path, std::string_view bytes, FileOps& ops) {
  if (path.empty()) return false;
  const std::optional<FileOps::Temporary> temporary = ops.CreateTemporaryBeside(path);
  if (!temporary) return false;
  bool ok = ops.Write(temporary->handle, bytes) && ops.Sync(temporary->handle);
  // Close even after a failed write, and count a failed close as a failed
  // save: some file systems report write errors only there.
  ok = ops.Close(temporary->handle) && ok;
  ok = ok && ops.Rename(temporary->path, path);
  if (!ok) ops.Remove(temporary->path);
  return ok;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // Only a regular file is a data file; non-blocking so that opening a pipe
  // cannot hang before it is turned down.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string content;
  content.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return content;
}

}  // namespace sumvane
