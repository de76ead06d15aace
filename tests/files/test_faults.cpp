// What a failed save or a hostile file does to the list and to the file on
// disk. A load is applied the way the window applies it: the rows replace the
// list only when the file was read whole.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "file_test_support.h"
#include "files/file_store.h"
#include "files/sample_file.h"

namespace sumvane {

namespace {

namespace fs = std::filesystem;

const std::string kGbMarker = "\xA1\xA4";
const std::string kReplacement = "\xEF\xBF\xBD";

using testing_support::Found;
using testing_support::TempDir;

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

enum class Fault { kNone, kDiskFullHalfway, kNoTemporary, kRename };

// The real file operations with one step made to fail.
class FaultyOps : public FileOps {
 public:
  explicit FaultyOps(Fault fault) : fault_(fault) {}
  std::optional<Temporary> CreateTemporaryBeside(const std::string& target) override {
    if (fault_ == Fault::kNoTemporary) {
      errno = EACCES;
      return std::nullopt;
    }
    return real_.CreateTemporaryBeside(target);
  }
  bool Write(int handle, std::string_view bytes) override {
    if (fault_ != Fault::kDiskFullHalfway) return real_.Write(handle, bytes);
    // The disk fills up after part of the content has reached the file.
    EXPECT_TRUE(real_.Write(handle, bytes.substr(0, bytes.size() / 2)));
    errno = ENOSPC;
    return false;
  }
  bool Sync(int handle) override { return real_.Sync(handle); }
  bool Close(int handle) override { return real_.Close(handle); }
  bool Rename(const std::string& from, const std::string& to) override {
    if (fault_ == Fault::kRename) {
      errno = EXDEV;
      return false;
    }
    return real_.Rename(from, to);
  }
  void Remove(const std::string& path) override { real_.Remove(path); }

 private:
  Fault fault_;
  FileOps& real_ = DefaultFileOps();
};

SampleList ListOf(std::vector<SampleRow> rows) {
  SampleList list;
  EXPECT_TRUE(list.Assign(std::move(rows)));
  return list;
}

const std::vector<SampleRow> kOldRows = {
    {"1", "5.2", "4.85"}, {"2", "4.9", ""}, {"序号", "中", "7"}};

TEST(SaveFaultTest, FailedSaveKeepsTheExistingFileAndLeavesNoTemporary) {
  struct Case {
    const char* name;
    Fault fault;
    std::string target;
  };
  const std::vector<Case> cases = {
      {"disk full half-way", Fault::kDiskFullHalfway, "list.txt"},
      {"no temporary file", Fault::kNoTemporary, "list.txt"},
      {"rename refused", Fault::kRename, "list.txt"},
      {"folder missing", Fault::kNone, "missing/list.txt"},
      {"target is a folder", Fault::kNone, "sub"},
  };
  std::vector<SampleRow> many;
  for (int i = 1; i <= 5000; ++i) many.push_back({std::to_string(i), "12.5", "第二组"});
  const SampleList newer = ListOf(many);

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    ASSERT_TRUE(SaveSampleList(ListOf(kOldRows), dir.File("list.txt")));
    const std::optional<std::string> old_bytes = ReadWholeFile(dir.File("list.txt"));
    ASSERT_TRUE(old_bytes.has_value());
    fs::create_directory(dir.File("sub"));
    WriteFile(dir.File("sub/inside"), "kept");

    FaultyOps ops(c.fault);
    EXPECT_FALSE(SaveSampleList(newer, dir.File(c.target), ops));

    EXPECT_EQ(ReadWholeFile(dir.File("list.txt")), old_bytes);
    EXPECT_EQ(LoadSampleList(dir.File("list.txt")), Found(kOldRows));
    EXPECT_EQ(ReadWholeFile(dir.File("sub/inside")), "kept");
    EXPECT_EQ(dir.Entries(), (std::set<std::string>{"list.txt", "sub"}));
    EXPECT_EQ(dir.Entries("sub"), std::set<std::string>{"inside"});
  }

  // The same operations without a fault do save, so each failure above is
  // the fault's doing.
  TempDir dir;
  FaultyOps ops(Fault::kNone);
  ASSERT_TRUE(SaveSampleList(newer, dir.File("list.txt"), ops));
  EXPECT_EQ(LoadSampleList(dir.File("list.txt")), Found(newer.Rows()));
}

// A readable regular file made unreadable. Mode bits do not stop root, so
// there /proc/self/mem stands in: a regular file whose first read fails.
std::string UnreadableFile(const TempDir& dir) {
  const std::string path = dir.File("locked.txt");
  WriteFile(path, kGbMarker + "9\r\n");
  EXPECT_EQ(chmod(path.c_str(), 0), 0);
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return path;
  close(fd);
  return "/proc/self/mem";
}

std::string Link(const TempDir& dir, const std::string& name, const std::string& to) {
  EXPECT_EQ(symlink(to.c_str(), dir.File(name).c_str()), 0);
  return dir.File(name);
}

std::string Spaces(std::size_t n) { return std::string(n, ' '); }

TEST(LoadFaultTest, LoadLeavesTheListOrTakesTheRowsAsFound) {
  struct Case {
    const char* name;
    std::function<std::string(const TempDir&)> make;  // the path to load
    std::optional<std::vector<SampleRow>> rows;       // none: the list stays
    int undecodable = 0;
  };
  auto file = [](const char* name, std::string bytes) {
    return [name, bytes](const TempDir& d) {
      WriteFile(d.File(name), bytes);
      return d.File(name);
    };
  };
  std::string overfull;
  for (int i = 1; i <= 40000; ++i) overfull += kGbMarker + std::to_string(i) + "\r\n";
  const std::vector<Case> cases = {
      {"unreadable file", UnreadableFile, std::nullopt},
      {"dangling link", [](const TempDir& d) { return Link(d, "dangling", d.File("gone")); },
       std::nullopt},
      {"link loop", [](const TempDir& d) { return Link(d, "loop", d.File("loop")); }, std::nullopt},
      {"40,000 row lines", file("big.txt", overfull), std::nullopt},
      {"no row line", file("none.txt", "序号 第1组 第2组\r\n1 5 6\r\n"), std::nullopt},
      {"empty file", file("empty.txt", ""), std::nullopt},
      // 80 and FF start no character; D6 before CR lacks its second byte.
      {"invalid GBK",
       file("gbk.txt", kGbMarker + "1" + Spaces(8) + "\x80" + Spaces(15) + "\xD6\xD0\xFF\r\n" +
                           kGbMarker + "2" + Spaces(8) + "7" + Spaces(15) + "\xD6\r\n" + kGbMarker +
                           "3" + Spaces(8) + "\xD6\xD0"),
       std::vector<SampleRow>{{"3", "中", ""}}, 2},
      {"only damaged lines", file("damaged.txt", kGbMarker + "1\xFF\r\n" + kGbMarker + "2\x80"),
       std::nullopt, 2},
      // A surrogate costs its own line; the UTF-8 and the GB18030 rows stay.
      {"invalid UTF-8",
       file("utf8.txt",
            "\xC2\xB7"
            "1" +
                Spaces(8) + "5" + Spaces(15) + "第一\r\n" + kGbMarker + "2" + Spaces(8) +
                "6\r\n\xC2\xB7\xED\xA0\x80\r\n\xC2\xB7"
                "3" +
                Spaces(8) + "7" + Spaces(15) + "第三\r\n"),
       std::vector<SampleRow>{{"1", "5", "第一"}, {"2", "6", ""}, {"3", "7", "第三"}}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    SampleList list = ListOf(kOldRows);
    const std::string path = c.make(dir);
    ImportResult result = LoadSampleList(path);
    if (result) {
      ASSERT_TRUE(list.Assign(std::move(*result)));
    }
    EXPECT_EQ(list.Rows(), c.rows.value_or(kOldRows));
    EXPECT_EQ(result.undecodableLines, c.undecodable);
  }
}

// Linux lets a process restart the count of its peak resident size.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The peak resident size since the last reset, in bytes; none where Linux
// does not offer it.
std::optional<long long> PeakMemory() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long long kilobytes = 0;
  while (status >> key) {
    if (key == "VmHWM:" && status >> kilobytes) return kilobytes * 1024;
  }
  return std::nullopt;
}

TEST(LoadFaultTest, HundredMegabyteLineLoadsInBoundedTimeAndMemory) {
  constexpr std::size_t kSize = 100u << 20;
  struct Case {
    const char* name;
    std::string head;  // the rest of the line is GBK "中" over and over
    std::size_t rows;
  };
  for (const Case& c : {Case{"with the marker", kGbMarker + "1" + Spaces(8) + "5" + Spaces(15), 1},
                        Case{"without the marker", "1" + Spaces(8) + "5" + Spaces(15), 0}}) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::size_t characters = (kSize - c.head.size()) / 2;
    {
      std::ofstream out(dir.File("line.txt"), std::ios::binary);
      out << c.head;
      std::string chunk;
      for (int i = 0; i < 1 << 16; ++i) chunk += "\xD6\xD0";
      for (std::size_t left = characters; left > 0;) {
        const std::size_t n = std::min(left, chunk.size() / 2);
        out.write(chunk.data(), static_cast<std::streamsize>(2 * n));
        left -= n;
      }
    }
    ResetPeakMemory();
    const std::optional<long long> before = PeakMemory();
    const auto start = std::chrono::steady_clock::now();
    const ImportResult loaded = LoadSampleList(dir.File("line.txt"));
    const auto elapsed = std::chrono::steady_clock::now() - start;

    ASSERT_EQ(loaded.rows.size(), c.rows);
    EXPECT_EQ(loaded.undecodableLines, 0);
    if (c.rows == 1) {
      const SampleRow& row = loaded.rows.front();
      EXPECT_EQ(row.label, "1");
      EXPECT_EQ(row.group1, "5");
      // Each two-byte GBK character becomes three bytes of UTF-8.
      EXPECT_EQ(row.group2.size(), characters * 3);
      EXPECT_EQ(row.group2.substr(row.group2.size() - 3), "中");
    }
    // A load holds the bytes, their UTF-8 text and the row's copy of it: about
    // 4.5 times the file at its peak, under the sanitizers too. The time is
    // several times what the sanitizers need, so only a quadratic step fails.
    EXPECT_LT(elapsed, std::chrono::seconds(30));
    const std::optional<long long> after = PeakMemory();
    if (before && after) {
      EXPECT_LT(*after - *before, 6LL * static_cast<long long>(kSize));
    }
  }
}

}  // namespace
}  // namespace sumvane
