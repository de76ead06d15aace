#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "file_test_support.h"
#include "files/csv_file.h"
#include "files/file_store.h"

namespace sumvane {
namespace {

using testing_support::Found;
using testing_support::TempDir;

const std::string kBom = "\xEF\xBB\xBF";

SampleList ListOf(std::vector<SampleRow> rows) {
  SampleList list;
  EXPECT_TRUE(list.Assign(std::move(rows)));
  return list;
}

std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

ImportResult LoadBytes(const std::string& bytes) {
  TempDir dir;
  std::ofstream(dir.File("in.csv"), std::ios::binary) << bytes;
  return LoadCsvFile(dir.File("in.csv"));
}

TEST(CsvFileTest, ExportsQuotedUtf8WithHeaderAndCrLf) {
  const SampleList list = ListOf(
      {{"1", "5.2", "4.85"}, {"2", "", "6"}, {"a,b", "x\"y", "多\r\n行"}, {"t\tu", "v;w", ""}});
  EXPECT_EQ(CsvText(list), kBom +
                               "序号,第1组,第2组\r\n"
                               "1,5.2,4.85\r\n"
                               "2,,6\r\n"
                               "\"a,b\",\"x\"\"y\",\"多\r\n行\"\r\n"
                               "\"t\tu\",\"v;w\",\r\n");
  EXPECT_EQ(CsvText(SampleList()), kBom + "序号,第1组,第2组\r\n");
}

TEST(CsvFileTest, SavedFileLoadsBackRowForRow) {
  // Labels are free text; values are numbers, as the import requires.
  const std::vector<SampleRow> rows = {
      {"1", "5.2", "4.85"}, {"2", "", "6"}, {"第3,\"例\"", "-.5", "1E3"}, {"4\r\n行", "7", ""}};
  TempDir dir;
  ASSERT_TRUE(SaveCsvFile(ListOf(rows), dir.File("list.csv")));
  EXPECT_EQ(ReadWholeFile(dir.File("list.csv")), CsvText(ListOf(rows)));
  EXPECT_EQ(LoadCsvFile(dir.File("list.csv")), Found(rows));
}

TEST(CsvFileTest, ReadsWhatSpreadsheetsAndPeopleWrite) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<SampleRow> rows;
    int undecodable = 0;
  };
  const std::vector<Case> cases = {
      {"UTF-8 without a mark",
       "序号,第1组,第2组\n1,5,6\n2,7,\n",
       {{"1", "5", "6"}, {"2", "7", ""}}},
      {"GB18030 from a Chinese spreadsheet",
       "\xD0\xF2\xBA\xC5,\xB5\xDA\x31\xD7\xE9,\xB5\xDA\x32\xD7\xE9\r\n\xD2\xBB,1.5,2\r\n",
       {{"一", "1.5", "2"}}},
      {"UTF-16 Unicode text, tab-separated",
       Utf16Le(u"身高\t体重\r\n1.5\t60\r\n1.7\t72\r\n"),
       {{"1", "1.5", "60"}, {"2", "1.7", "72"}}},
      {"semicolons", "1;2\n3;4\n", {{"1", "1", "2"}, {"2", "3", "4"}}},
      {"one column without a header",
       "5\n6\n\n7",
       {{"1", "5", ""}, {"2", "6", ""}, {"3", "7", ""}}},
      {"quoted numbers and blanks", "\"1\", \"2.5\" , 3 \r\n", {{"1", "2.5", "3"}}},
      {"empty columns at the end",
       "1,2,3,,\r\n,,,,\r\n4,5,6,,\r\n",
       {{"1", "2", "3"}, {"4", "5", "6"}}},
      {"a header wider than the data", "序号,身高,体重,备注\n1,2,3\n", {{"1", "2", "3"}}},
      {"gaps kept as found",
       "1,5,\n2,,6\n3,7,8\n",
       {{"1", "5", ""}, {"2", "", "6"}, {"3", "7", "8"}}},
      {"a damaged line skipped",
       "1,5,6\n2,\xFF\xFF,7\n3,8,9\n",
       {{"1", "5", "6"}, {"3", "8", "9"}},
       1},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadBytes(c.bytes), Found(c.rows, c.undecodable)) << c.name;
}

TEST(CsvFileTest, LeavesTheListForFilesWithoutUsableRows) {
  std::string full;
  for (int i = 0; i < SampleList::kMaxRows; ++i) full += "1,2\n";
  struct Case {
    const char* name;
    std::string bytes;
    ImportResult result;
  };
  const std::vector<Case> cases = {
      {"empty", "", WithoutRows(ImportStatus::kNoRows)},
      {"header only", kBom + "序号,第1组,第2组\r\n", WithoutRows(ImportStatus::kNoRows)},
      {"labels only", "1,,\n2,,\n", WithoutRows(ImportStatus::kNoRows)},
      {"text in a value cell", "序号,第1组,第2组\n1,5,6\n2,7,缺失\n",
       WithoutRows(ImportStatus::kNotANumber, 3, 2)},
      {"decimal comma in a semicolon file", "1;2,5\n3;4\n",
       WithoutRows(ImportStatus::kNotANumber, 1, 2)},
      {"four columns", "1,2,3,4\n", WithoutRows(ImportStatus::kTooManyColumns)},
      {"one row too many", full + "1,2\n", WithoutRows(ImportStatus::kTooManyRows)},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadBytes(c.bytes), c.result) << c.name;
  EXPECT_EQ(LoadBytes(full).rows.size(), static_cast<std::size_t>(SampleList::kMaxRows));
  EXPECT_EQ(LoadCsvFile("/nonexistent/in.csv"), WithoutRows(ImportStatus::kUnreadable));
}

}  // namespace
}  // namespace sumvane
