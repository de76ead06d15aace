#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "file_test_support.h"
#include "files/encoding.h"
#include "files/sample_file.h"

namespace sumvane {

namespace {

using testing_support::Found;

const std::string kMarker = "\xC2\xB7";

std::string ExportRows(const std::vector<SampleRow>& rows) {
  SampleList list;
  EXPECT_TRUE(list.Assign(rows));
  return ExportText(list);
}

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

TEST(ExportTextTest, TwoRowExampleIsByteExact) {
  EXPECT_EQ(EncodeGb18030(ExportRows({{"1", "5.2", "4.85"}, {"12", "", "6"}})),
            "\xA1\xA4"
            "1" +
                Blanks(8) + "5.2" + Blanks(13) + "4.85\r\n" +
                "\xA1\xA4"
                "12" +
                Blanks(7) + Blanks(16) + "6\r\n\r\n");
  EXPECT_EQ(ExportRows({}), "\r\n");
}

TEST(ExportTextTest, PadsLabelAndGroup1ByCharacters) {
  const std::vector<std::pair<SampleRow, std::string>> cases = {
      {{"100000", "1", "2"}, "100000" + Blanks(3) + "1" + Blanks(15) + "2"},
      {{"1", "123456789012", ""}, "1" + Blanks(8) + "123456789012" + Blanks(4)},
      {{"", "", "7"}, Blanks(9) + Blanks(16) + "7"},
      {{"123456789", "1234567890123456", "6"},
       "123456789"
       "1234567890123456"
       "6"},
      {{"1234567890", "12345678901234567", "6"},
       "1234567890"
       "12345678901234567"
       "6"},
      {{" 1", " 5\t", " 6 "}, " 1" + Blanks(7) + " 5\t" + Blanks(13) + " 6 "},
      {{"第一", "五点二", "中"}, "第一" + Blanks(7) + "五点二" + Blanks(13) + "中"},
  };
  for (const auto& [row, line] : cases) {
    EXPECT_EQ(ExportRows({row}), kMarker + line + "\r\n\r\n") << line;
  }
}

TEST(ParseImportTextTest, CutsRowLines) {
  const std::string row1 = kMarker + "1" + Blanks(8) + "5.2" + Blanks(13) + "4.85";
  const std::vector<std::pair<std::string, std::vector<SampleRow>>> cases = {
      {kMarker + "3", {{"3", "", ""}}},
      {row1 + "\r\n\r\n", {{"1", "5.2", "4.85"}}},
      {row1 + "\n" + kMarker + "2\n", {{"1", "5.2", "4.85"}, {"2", "", ""}}},
      {row1 + "\r" + kMarker + "2\r", {{"1", "5.2", "4.85"}, {"2", "", ""}}},
      {kMarker + "1\r\r\n\n\r" + kMarker + "2", {{"1", "", ""}, {"2", "", ""}}},
      {"x" + kMarker + "abcdefghij0123456789ABCDEFzz",
       {{kMarker + "abcdefgh", "ij0123456789ABCD", "EFzz"}}},
      {"123456789012345678901234567" + kMarker, {{"234567890", "1234567890123456", "7" + kMarker}}},
      {kMarker + " \t7  " + Blanks(4) + "\t1 2 " + Blanks(11) + "  x\t ",
       {{"\t7", "\t1 2", "x\t"}}},
      {kMarker + "第一" + Blanks(7) + "五点二" + Blanks(13) + "中 文",
       {{"第一", "五点二", "中 文"}}},
  };
  for (const auto& [text, rows] : cases) EXPECT_EQ(ParseImportText(text), Found(rows)) << text;
  EXPECT_EQ(ParseImportText("header\r\n\r\n 1 2\r\n"), WithoutRows(ImportStatus::kNoRows));
}

TEST(ParseImportTextTest, AtMost32767RowLinesParsedQuickly) {
  std::vector<SampleRow> rows;
  for (int i = 1; i <= SampleList::kMaxRows; ++i) {
    rows.push_back({std::to_string(i), "12.345678", std::to_string(i * 0.5)});
  }
  const std::string text = ExportRows(rows);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ParseImportText(text), Found(rows));
  // Far above the few milliseconds it takes, so that only a slow algorithm fails.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_EQ(ParseImportText(text + kMarker), WithoutRows(ImportStatus::kTooManyRows));
}

TEST(SampleFileTest, ExportThenImportGivesTheSameRows) {
  std::vector<SampleRow> rows;
  for (std::string label : {"1", "12", "3.5", "0007", "-1E+2", "100000", "序号"}) {
    for (std::string cell : {"", "5", "1.5E-07", "123456789012", "第1组数值", "a\tb"}) {
      rows.push_back({label, cell, cell + "x" + label});
    }
  }
  EXPECT_EQ(ParseImportText(DecodeFileText(EncodeGb18030(ExportRows(rows))).text), Found(rows));
}

// The rows are exactly the lines that hold the marker, whatever the bytes.
TEST(SampleFileTest, RandomBytesGiveOnlyMarkerLines) {
  std::mt19937 random(20240611);
  const std::vector<std::string> pieces = {"\xA1\xA4", kMarker, "\r", "\n", " ", "\xD6\xD0"};
  for (int round = 0; round < 2000; ++round) {
    std::string bytes;
    for (int i = static_cast<int>(random() % 200); i > 0; --i) {
      bytes += random() % 3 ? std::string(1, static_cast<char>(random())) : pieces[random() % 6];
    }
    const std::string text = DecodeFileText(bytes).text;
    std::size_t marker_lines = 0;
    std::string line;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != '\r' && text[i] != '\n') {
        line += text[i];
        continue;
      }
      marker_lines += line.find(kMarker) != std::string::npos;
      line.clear();
      if (text.compare(i, 2, "\r\n") == 0) ++i;
    }
    const ImportResult rows = ParseImportText(text);
    ASSERT_EQ(rows.status, marker_lines > 0 ? ImportStatus::kRows : ImportStatus::kNoRows);
    ASSERT_EQ(rows.rows.size(), marker_lines) << testing::PrintToString(bytes);
    for (const SampleRow& row : rows.rows) {
      for (const std::string& field : {row.label, row.group1, row.group2}) {
        EXPECT_EQ(field.find_first_of("\r\n"), std::string::npos);
        EXPECT_TRUE(field.empty() || (field.front() != ' ' && field.back() != ' ')) << field;
      }
    }
    EXPECT_NE(ParseImportText(bytes).status, ImportStatus::kTooManyRows);  // not even UTF-8
  }
}

}  // namespace
}  // namespace sumvane
