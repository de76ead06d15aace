#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "entry/entry_rules.h"

namespace sumvane {
namespace {

SampleList ListOfGroup1(int filled, int rows) {
  SampleList list;
  for (int i = 1; i <= rows; ++i) {
    list.AppendRow(std::to_string(i));
    if (i <= filled) list.SetCell(i, 1, "5");
  }
  return list;
}

TEST(EntryRules, AnEnterAppendsOverwritesOrStoresNothing) {
  struct Case {
    const char* rowNumber;
    std::optional<std::string> newRowLabel;
    std::optional<int> overwrite;
    const char* next;
  };
  const Case cases[] = {
      {"4", "4", std::nullopt, "5"},           // past the last of 3 rows
      {"3.01", "3.01", std::nullopt, "4.01"},  // the label is the text as typed
      {"2", std::nullopt, 2, "3"},
      {"2.5", std::nullopt, 2, "3.5"},  // halves go to the even neighbour
      {"1.5", std::nullopt, 2, "2.5"},
      {"0.4", std::nullopt, std::nullopt, "1.4"},
      {"", std::nullopt, std::nullopt, "1"},  // reads as 0
      {"-7", std::nullopt, std::nullopt, "-6"},
      {"1E400", "1E400", std::nullopt, ""},  // no next number can be formed
  };
  const SampleList list = ListOfGroup1(3, 3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rowNumber);
    const EntryPlan plan = PlanEntry(list, c.rowNumber);
    EXPECT_EQ(plan.newRowLabel, c.newRowLabel);
    EXPECT_EQ(plan.overwrite, c.overwrite);
    EXPECT_EQ(plan.nextRowNumber, c.next);
  }
}

TEST(EntryRules, RowNumberStopsAtTheFirstEmptyCellOfTheGroup) {
  const SampleList list = ListOfGroup1(2, 4);
  EXPECT_EQ(CappedRowNumber(list, 1, "9"), "3");
  EXPECT_EQ(CappedRowNumber(list, 1, "3"), std::nullopt);
  EXPECT_EQ(CappedRowNumber(list, 1, "3.0001"), "3");
  EXPECT_EQ(CappedRowNumber(list, 2, "2"), "1");  // group 2 is empty
  EXPECT_EQ(CappedRowNumber(list, 1, "abc"), std::nullopt);
  EXPECT_EQ(FirstEmptyRowText(list, 1), "3");
  EXPECT_EQ(FirstEmptyRowText(SampleList(), 2), "1");
}

}  // namespace
}  // namespace sumvane
