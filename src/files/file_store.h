// Whole-file reading and writing for the data files. A save goes to a
// temporary file beside the target that is renamed over it only once complete,
// so a failed save never damages an existing file. The file operations sit
// behind FileOps so that tests can make any single step fail.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sumvane {

class FileOps {
 public:
  struct Temporary {
    int handle = -1;
    std::string path;
  };

  virtual ~FileOps() = default;

  // A new, empty file in the folder of `target`, open for writing.
  virtual std::optional<Temporary> CreateTemporaryBeside(const std::string& target) = 0;
  // Writes all of `bytes`; false when not all of them could be written.
  virtual bool Write(int handle, std::string_view bytes) = 0;
  // Forces the written bytes to the disk.
  virtual bool Sync(int handle) = 0;
  virtual bool Close(int handle) = 0;
  // Puts `from` in place of `to` in one step, replacing an existing `to`.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual void Remove(const std::string& path) = 0;
};

// The folder a path names its file in: "." for a bare name, "/" at the root.
std::string FolderOf(const std::string& path);

// Writes all of `bytes` to an open file, going on after interrupted or short
// writes; false when the system refuses the rest.
bool WriteAll(int handle, std::string_view bytes);

// The operations on the real file system (POSIX).
FileOps& DefaultFileOps();

// Replaces or creates the file at path with exactly `bytes`. On failure the
// temporary file is gone, an existing file at path is unchanged, and the
// result is false.
bool SaveBytesAtomically(const std::string& path, std::string_view bytes,
                         FileOps& ops = DefaultFileOps());

// The whole content of the file; no value when it cannot be opened or read
// (a folder, a device or a pipe included).
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace sumvane
