#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "entry/copy_text.h"
#include "entry/paste.h"

namespace sumvane {

bool operator==(const PasteRefusal& a, const PasteRefusal& b) {
  return a.problem == b.problem && a.line == b.line && a.column == b.column;
}
bool operator==(const PasteColumns& a, const PasteColumns& b) { return a.columns == b.columns; }
bool operator==(const SingleValue& a, const SingleValue& b) { return a.text == b.text; }
bool operator==(const PastedList& a, const PastedList& b) {
  return a.rows == b.rows && a.firstRow == b.firstRow && a.lastRow == b.lastRow;
}

void PrintTo(const PasteRefusal& r, std::ostream* os) { *os << RefusalText(r); }
void PrintTo(const PasteColumns& p, std::ostream* os) { *os << testing::PrintToString(p.columns); }
void PrintTo(const SingleValue& v, std::ostream* os) { *os << "single " << v.text; }
void PrintTo(const SampleRow& row, std::ostream* os) {
  *os << testing::PrintToString(std::vector<std::string>{row.label, row.group1, row.group2});
}
void PrintTo(const PastedList& p, std::ostream* os) {
  *os << testing::PrintToString(p.rows) << " rows " << p.firstRow << ".." << p.lastRow;
}

namespace {

using Column = std::vector<std::string>;

PasteRefusal Refused(PasteProblem problem, int line = 0, int column = 0) {
  return PasteRefusal{problem, line, column};
}

TEST(ListPasteTest, ReadsColumnsOrSaysWhyNot) {
  struct Case {
    std::string text;
    ListPaste paste;
  };
  const std::vector<Case> cases = {
      {"", Refused(PasteProblem::kNothing)},
      {"\r\n \n\t", Refused(PasteProblem::kNothing)},
      {" 5 \r\n", SingleValue{"5"}},
      {"abc", SingleValue{"abc"}},
      {"1\n2\n3\n", PasteColumns{{Column{"1", "2", "3"}}}},
      {"\n1\r\n-.5\r1E3", PasteColumns{{Column{"1", "-.5", "1E3"}}}},
      {"1\t4\n2\t5\n3\t\n", PasteColumns{{Column{"1", "2", "3"}, Column{"4", "5"}}}},
      {"1, 4\n2, 5", PasteColumns{{Column{"1", "2"}, Column{"4", "5"}}}},
      {"1;4\n2;5\n", PasteColumns{{Column{"1", "2"}, Column{"4", "5"}}}},
      {" 1  4\n2   5 \n", PasteColumns{{Column{"1", "2"}, Column{"4", "5"}}}},
      {"\"1\"\t\"2\"\n3\t4", PasteColumns{{Column{"1", "3"}, Column{"2", "4"}}}},
      {"\t7\n\t8", PasteColumns{{Column{}, Column{"7", "8"}}}},
      {"身高\t体重\n1.5\t60\n", PasteColumns{{Column{"1.5"}, Column{"60"}}}},
      // This program's own copy: the label column is skipped and both groups
      // keep their places, an empty second group included.
      {"序号\t第1组\t第2组\n1\t5\t7\n2\t6\t\n", PasteColumns{{Column{"5", "6"}, Column{"7"}}}},
      {"序号\t第1组\t第2组\n1\t5\t\n", PasteColumns{{Column{"5"}, Column{}}}},
      {"身高\t体重\n", Refused(PasteProblem::kNothing)},
      {"1\n\n2", Refused(PasteProblem::kGapInColumn, 3, 1)},
      {"1\t2\n3\t\n4\t5", Refused(PasteProblem::kGapInColumn, 3, 2)},
      {"1 2\n3\n4 5", Refused(PasteProblem::kGapInColumn, 3, 2)},
      {"1\n2x\n", Refused(PasteProblem::kNotANumber, 2, 1)},
      {"身高 5\n1 2", Refused(PasteProblem::kNotANumber, 1, 1)},
      {"1\t1,5\n", Refused(PasteProblem::kNotANumber, 1, 2)},
      {"1\t2\t3\n", Refused(PasteProblem::kTooManyColumns)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseListPaste(c.text), c.paste) << testing::PrintToString(c.text);
  }
}

TEST(FourfoldPasteTest, TakesFourNumbersInAnyPlainShape) {
  using Cells = std::array<std::string, 4>;
  FourfoldTexts shown{"组别",
                      {"（+）", "（-）"},
                      {"试验组", "对照组"},
                      {"12", "5", "7", "20"},
                      {"17", "27"},
                      {"19", "25"},
                      "44"};
  struct Case {
    std::string text;
    FourfoldPaste paste;
  };
  const std::vector<Case> cases = {
      {"1\t2\r\n3\t4\r\n", Cells{"1", "2", "3", "4"}},
      {"1 2 3 4", Cells{"1", "2", "3", "4"}},
      {"1\n2\n3\n4\n", Cells{"1", "2", "3", "4"}},
      {"阳性,阴性\n10,20\n30,40\n", Cells{"10", "20", "30", "40"}},
      {FourfoldCopyText(shown), Cells{"12", "5", "7", "20"}},
      {"1 2 3", Refused(PasteProblem::kNotFourNumbers)},
      {"1 2 3 4 5", Refused(PasteProblem::kNotFourNumbers)},
      {"1 2\n3\n4", Refused(PasteProblem::kNotFourNumbers)},
      {"1 2\n3 x", Refused(PasteProblem::kNotANumber, 2, 2)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseFourfoldPaste(c.text), c.paste) << testing::PrintToString(c.text);
  }
}

SampleList ListOf(std::vector<SampleRow> rows) {
  SampleList list;
  EXPECT_TRUE(list.Assign(std::move(rows)));
  return list;
}

TEST(PasteIntoListTest, FillsEachGroupFromItsFirstEmptyRow) {
  struct Case {
    const char* name;
    std::vector<SampleRow> before;
    PasteColumns paste;
    int chosenGroup;
    std::variant<PastedList, PasteRefusal> after;
  };
  const std::vector<SampleRow> gapped = {{"1", "5", ""}, {"2", "", ""}, {"3", "7", ""}};
  const std::vector<Case> cases = {
      {"one column into an empty list",
       {},
       {{Column{"5", "6"}}},
       2,
       PastedList{{{"1", "", "5"}, {"2", "", "6"}}, 1, 2}},
      {"two columns, each from its own first empty row",
       {{"1", "5", ""}, {"2", "6", ""}},
       {{Column{"7"}, Column{"8", "9", "10"}}},
       1,
       PastedList{{{"1", "5", "8"}, {"2", "6", "9"}, {"3", "7", "10"}}, 1, 3}},
      {"new rows labelled by position, as Enter labels them",
       {{"1", "5", ""}, {"2", "6", ""}, {"4", "7", ""}},
       {{Column{"8", "9"}}},
       1,
       PastedList{
           {{"1", "5", ""}, {"2", "6", ""}, {"4", "7", ""}, {"4", "8", ""}, {"5", "9", ""}}, 4, 5}},
      {"a value below a gap is never overwritten",
       gapped,
       {{Column{"1", "2"}}},
       1,
       Refused(PasteProblem::kWouldOverwrite, 3, 1)},
      {"the gap itself can be filled",
       gapped,
       {{Column{"6"}}},
       1,
       PastedList{{{"1", "5", ""}, {"2", "6", ""}, {"3", "7", ""}}, 2, 2}},
      {"nothing to paste", gapped, {{Column{}, Column{}}}, 1, Refused(PasteProblem::kNothing)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PasteIntoList(ListOf(c.before), c.paste, c.chosenGroup), c.after) << c.name;
  }
}

TEST(PasteIntoListTest, RefusesToOutgrowTheList) {
  std::vector<SampleRow> rows(SampleList::kMaxRows - 1, SampleRow{"1", "5", ""});
  const SampleList list = ListOf(rows);
  const PasteColumns two{{Column{"1", "2"}}};
  EXPECT_EQ(PasteIntoList(list, two, 1),
            (std::variant<PastedList, PasteRefusal>(Refused(PasteProblem::kTooManyRows))));
  const auto pasted = PasteIntoList(list, PasteColumns{{Column{"1"}}}, 1);
  ASSERT_TRUE(std::holds_alternative<PastedList>(pasted));
  EXPECT_EQ(std::get<PastedList>(pasted).rows.size(), std::size_t{SampleList::kMaxRows});
  EXPECT_EQ(std::get<PastedList>(pasted).rows.back(), (SampleRow{"32767", "1", ""}));
  // Group 2 is empty: two values fit there.
  EXPECT_TRUE(std::holds_alternative<PastedList>(PasteIntoList(list, two, 2)));
}

TEST(PasteIntoListTest, SaysWhyInAShortLine) {
  EXPECT_EQ(RefusalText(Refused(PasteProblem::kNotANumber, 3, 2)), "第3行第2列不是数字，未粘贴");
  EXPECT_EQ(RefusalText(Refused(PasteProblem::kWouldOverwrite, 7, 1)),
            "第1组第7行已有数据，未粘贴");
  EXPECT_EQ(RefusalText(Refused(PasteProblem::kTooManyRows)), "粘贴后超过32767行，未粘贴");
}

}  // namespace
}  // namespace sumvane
