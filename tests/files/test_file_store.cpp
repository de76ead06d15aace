#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "file_test_support.h"
#include "files/file_store.h"
#include "files/sample_file.h"

namespace sumvane {

namespace {

namespace fs = std::filesystem;

using testing_support::Found;
using testing_support::TempDir;

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

enum class Fault { kCreate, kWriteHalfway, kSync, kClose, kRename };

// The real operations with one step made to fail.
class FaultyOps : public FileOps {
 public:
  explicit FaultyOps(Fault fault) : fault_(fault) {}
  std::optional<Temporary> CreateTemporaryBeside(const std::string& target) override {
    if (fault_ == Fault::kCreate) return std::nullopt;
    return real_.CreateTemporaryBeside(target);
  }
  bool Write(int handle, std::string_view bytes) override {
    if (fault_ != Fault::kWriteHalfway) return real_.Write(handle, bytes);
    real_.Write(handle, bytes.substr(0, bytes.size() / 2));
    return false;
  }
  bool Sync(int handle) override { return fault_ != Fault::kSync && real_.Sync(handle); }
  bool Close(int handle) override { return real_.Close(handle) && fault_ != Fault::kClose; }
  bool Rename(const std::string& from, const std::string& to) override {
    return fault_ != Fault::kRename && real_.Rename(from, to);
  }
  void Remove(const std::string& path) override { real_.Remove(path); }

 private:
  Fault fault_;
  FileOps& real_ = DefaultFileOps();
};

TEST(FileStoreTest, SavesAndReplacesWholeFilesKeepingPermissions) {
  TempDir dir;
  const std::string path = dir.File("data.txt");
  const std::string bytes(
      "\xA1\xA4"
      "1\0\xFF\r\n",
      7);
  ASSERT_TRUE(SaveBytesAtomically(path, bytes));
  EXPECT_EQ(ReadWholeFile(path), bytes);
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(SaveBytesAtomically(path, "short"));
  EXPECT_EQ(ReadWholeFile(path), "short");
  struct stat info;
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(dir.Entries(), std::set<std::string>{"data.txt"});
}

TEST(FileStoreTest, FailedSaveLeavesTheOldFileAndNoTemporary) {
  for (Fault fault :
       {Fault::kCreate, Fault::kWriteHalfway, Fault::kSync, Fault::kClose, Fault::kRename}) {
    TempDir dir;
    const std::string path = dir.File("data.txt");
    WriteFile(path, "old");
    FaultyOps ops(fault);
    EXPECT_FALSE(SaveBytesAtomically(path, std::string(100000, 'n'), ops));
    EXPECT_EQ(ReadWholeFile(path), "old") << static_cast<int>(fault);
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"data.txt"}) << static_cast<int>(fault);
  }
}

TEST(FileStoreTest, NoFileWhereNoneCanBeWritten) {
  TempDir dir;
  EXPECT_FALSE(SaveBytesAtomically(dir.File("missing/data.txt"), "x"));
  EXPECT_FALSE(SaveBytesAtomically("", "x"));
  fs::create_directory(dir.File("folder"));
  WriteFile(dir.File("folder/inside"), "kept");
  EXPECT_FALSE(SaveBytesAtomically(dir.File("folder"), "x"));
  EXPECT_EQ(ReadWholeFile(dir.File("folder/inside")), "kept");
  EXPECT_EQ(dir.Entries(), std::set<std::string>{"folder"});
}

TEST(FileStoreTest, ReadsOnlyRegularFiles) {
  TempDir dir;
  EXPECT_FALSE(ReadWholeFile(dir.File("missing")).has_value());
  EXPECT_FALSE(ReadWholeFile(dir.File("")).has_value());
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(ReadWholeFile(dir.File("pipe")).has_value());
  std::string large(3 << 20, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 251);
  WriteFile(dir.File("large"), large);
  EXPECT_EQ(ReadWholeFile(dir.File("large")), large);
}

TEST(SampleListFileTest, SavedListLoadsBackAndSurvivesAFailedSave) {
  TempDir dir;
  const std::string path = dir.File("list.txt");
  SampleList list;
  ASSERT_TRUE(list.Assign({{"1", "5.2", "4.85"}, {"序号", "第1组", "😀"}, {"路", "", ""}}));
  ASSERT_TRUE(SaveSampleList(list, path));
  EXPECT_EQ(ReadWholeFile(path)->substr(0, 2), "\xA1\xA4");
  EXPECT_EQ(LoadSampleList(path), Found(list.Rows()));

  SampleList other;
  ASSERT_TRUE(other.Assign({{"9", "8", "7"}}));
  FaultyOps ops(Fault::kWriteHalfway);
  EXPECT_FALSE(SaveSampleList(other, path, ops));
  EXPECT_EQ(LoadSampleList(path), Found(list.Rows()));
}

// UTF-16 code units as bytes in either order.
std::string Utf16(std::u16string_view text, bool little_endian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += little_endian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

TEST(SampleListFileTest, LoadsEveryEncodingAndLineEnd) {
  const std::string fields = "1" + std::string(8, ' ') + "%" + std::string(15, ' ') + "7";
  auto with = [&](const std::string& marker, const std::string& middle, const std::string& end) {
    std::string line = fields;
    line.replace(line.find('%'), 1, middle);
    return marker + line + end;
  };
  const std::u16string line16 = u"·1        中               7\r\n";
  TempDir dir;
  const std::string path = dir.File("in.txt");
  for (const std::string& bytes :
       {with("\xA1\xA4", "\xD6\xD0", "\r\n\r\n"), with("\xA1\xA4", "\xD6\xD0", "\n\n"),
        with("\xA1\xA4", "\xD6\xD0", "\r\r"), with("\xC2\xB7", "中", "\r\n"),
        with("\xEF\xBB\xBF\xC2\xB7", "中", "\n"), "\xFF\xFE" + Utf16(line16, true),
        "\xFE\xFF" + Utf16(line16, false), Utf16(line16, true), Utf16(line16, false)}) {
    WriteFile(path, bytes);
    EXPECT_EQ(LoadSampleList(path), Found({{"1", "中", "7"}})) << testing::PrintToString(bytes);
  }
  WriteFile(path, "no rows here\r\n");
  EXPECT_EQ(LoadSampleList(path), WithoutRows(ImportStatus::kNoRows));
}

// What spreadsheets save as .txt: "Unicode text" (UTF-16 with a mark) and
// "Text (tab delimited)" (GBK), and the same table with other separators.
TEST(SampleListFileTest, TextFileWithoutRowLinesIsReadAsATable) {
  struct Case {
    const char* name;
    std::string bytes;
    ImportResult expected;
  };
  // Two value columns are labelled 1, 2, ... as the exported labels are.
  const std::vector<SampleRow> rows = {{"1", "5.2", "4.85"}, {"2", "6", ""}};
  const std::vector<Case> cases = {
      {"Unicode text, as exported",
       "\xFF\xFE" + Utf16(u"序号\t第1组\t第2组\r\n1\t5.2\t4.85\r\n2\t6\t\r\n", true), Found(rows)},
      {"tab delimited GBK, two columns",
       "\xB5\xDA\x31\xD7\xE9\t\xB5\xDA\x32\xD7\xE9\r\n5.2\t4.85\r\n6\t\r\n", Found(rows)},
      {"semicolons, no header", "5.2;4.85\n6;\n", Found(rows)},
      {"one column with a header", "x\n5.2\n6\n", Found({{"1", "5.2", ""}, {"2", "6", ""}})},
      {"a faulty cell is named", "5.2\t4.85\n6\tabc\n",
       WithoutRows(ImportStatus::kNotANumber, 2, 2)},
      {"prose is no table", "实验记录\n第一天，未测量\n", WithoutRows(ImportStatus::kNoRows)},
  };
  TempDir dir;
  const std::string path = dir.File("table.txt");
  for (const Case& c : cases) {
    WriteFile(path, c.bytes);
    EXPECT_EQ(LoadSampleList(path), c.expected) << c.name;
  }
}

TEST(SampleListFileTest, LoadFailsForUnreadableOrOverfullFiles) {
  TempDir dir;
  EXPECT_EQ(LoadSampleList(dir.File("missing.txt")), WithoutRows(ImportStatus::kUnreadable));
  fs::create_directory(dir.File("folder.txt"));
  EXPECT_EQ(LoadSampleList(dir.File("folder.txt")), WithoutRows(ImportStatus::kUnreadable));
  std::string bytes;
  for (int i = 0; i <= SampleList::kMaxRows; ++i)
    bytes +=
        "\xA1\xA4"
        "1\r\n";
  WriteFile(dir.File("full.txt"), bytes);
  EXPECT_EQ(LoadSampleList(dir.File("full.txt")), WithoutRows(ImportStatus::kTooManyRows));
}

}  // namespace
}  // namespace sumvane
