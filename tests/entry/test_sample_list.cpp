#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "entry/sample_list.h"

namespace sumvane {
namespace {

// Rows labelled 1..n holding the given group cells.
SampleList ListOf(const std::vector<std::string>& group1, const std::vector<std::string>& group2) {
  SampleList list;
  for (std::size_t i = 0; i < std::max(group1.size(), group2.size()); ++i) {
    const int position = static_cast<int>(i + 1);
    EXPECT_TRUE(list.AppendRow(std::to_string(position)));
    if (i < group1.size()) list.SetCell(position, 1, group1[i]);
    if (i < group2.size()) list.SetCell(position, 2, group2[i]);
  }
  return list;
}

TEST(SampleListTest, KeepsLabelsAndCellsExactly) {
  SampleList list;
  ASSERT_TRUE(list.AppendRow("3.5"));
  ASSERT_TRUE(list.AppendRow("07"));
  ASSERT_TRUE(list.SetCell(1, 2, " 5\t"));
  EXPECT_EQ(list.RowLabel(1), "3.5");
  EXPECT_EQ(list.RowLabel(2), "07");
  EXPECT_EQ(list.Cell(1, 1), "");
  EXPECT_EQ(list.Cell(1, 2), " 5\t");
}

TEST(SampleListTest, OutOfRangeStepsFailAndChangeNothing) {
  SampleList list = ListOf({"5", "6"}, {"7", "8"});
  const std::vector<SampleRow> before = list.Rows();
  for (auto [position, group] : {std::pair{0, 1}, {-1, 2}, {3, 1}, {1, 0}, {1, 3}}) {
    EXPECT_FALSE(list.SetCell(position, group, "9"));
    EXPECT_FALSE(list.Cell(position, group).has_value());
  }
  for (int position : {0, -1, 3}) {
    EXPECT_FALSE(list.RowLabel(position).has_value());
    EXPECT_FALSE(list.RemoveRow(position));
  }
  EXPECT_EQ(list.Rows(), before);
}

TEST(SampleListTest, RemovalMovesLaterRowsUpAndKeepsLabels) {
  SampleList list = ListOf({"a", "b", "c", "d"}, {"w", "x", "y", "z"});
  ASSERT_TRUE(list.RemoveRow(2));
  EXPECT_EQ(list.Rows(),
            (std::vector<SampleRow>{{"1", "a", "w"}, {"3", "c", "y"}, {"4", "d", "z"}}));
}

TEST(SampleListTest, ReplacingRowsGrowsShrinksOrKeepsTheList) {
  struct Case {
    int first, count;
    std::vector<SampleRow> rows;
    std::vector<std::string> labels;  // after
  };
  const std::vector<Case> cases = {
      {2, 1, {{"x", "9", ""}}, {"1", "x", "3"}},
      {2, 0, {{"x", "", ""}, {"y", "", ""}}, {"1", "x", "y", "2", "3"}},
      {1, 2, {}, {"3"}},
      {4, 0, {{"4", "", ""}}, {"1", "2", "3", "4"}},
      {1, 3, {{"a", "", ""}}, {"a"}},
  };
  for (const Case& c : cases) {
    SampleList list = ListOf({"5", "6", "7"}, {});
    ASSERT_TRUE(list.ReplaceRows(c.first, c.count, c.rows)) << c.first << "," << c.count;
    std::vector<std::string> labels;
    for (const SampleRow& row : list.Rows()) labels.push_back(row.label);
    EXPECT_EQ(labels, c.labels) << c.first << "," << c.count;
  }
  SampleList list = ListOf({"5"}, {});
  const std::vector<SampleRow> before = list.Rows();
  EXPECT_FALSE(list.ReplaceRows(0, 0, {}));
  EXPECT_FALSE(list.ReplaceRows(3, 0, {}));
  EXPECT_FALSE(list.ReplaceRows(1, 2, {}));
  EXPECT_FALSE(list.ReplaceRows(2, 0, std::vector<SampleRow>(SampleList::kMaxRows)));
  EXPECT_EQ(list.Rows(), before);
}

TEST(SampleListTest, ClearEmptiesTheList) {
  SampleList list = ListOf({"1"}, {});
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(SampleListTest, FirstEmptyRowEndsTheLeadingRunOfFilledCells) {
  struct Case {
    std::vector<std::string> group1, group2;
    int first_empty1, first_empty2;
  };
  const std::vector<Case> cases = {
      {{}, {}, 1, 1},                                      // empty list
      {{"1", "2", "3", "4", "5"}, {"1", "2", "3"}, 6, 4},  // all filled / filled to row 3
      {{"5", "", "7"}, {"", "2"}, 2, 1},                   // a gap stops the count
      {{" ", "  "}, {"", " "}, 3, 1},                      // a blank is filled
  };
  for (const Case& c : cases) {
    const SampleList list = ListOf(c.group1, c.group2);
    EXPECT_EQ(list.FirstEmptyRow(1), c.first_empty1);
    EXPECT_EQ(list.FirstEmptyRow(2), c.first_empty2);
    EXPECT_EQ(list.FilledCount(1), c.first_empty1 - 1);
    EXPECT_EQ(list.FilledCount(2), c.first_empty2 - 1);
  }
  EXPECT_EQ(ListOf({"1"}, {"1"}).FilledCount(3), 0);
}

std::vector<double> ValuesOf(std::span<const Observation> observations) {
  std::vector<double> values;
  for (const Observation& observation : observations) values.push_back(observation.Value());
  return values;
}

TEST(SampleListTest, ObservationsReadTheCellsAsNumbers) {
  const SampleList list = ListOf({"5.5", " ", "abc", "-2"}, {"1"});
  EXPECT_EQ(ValuesOf(list.Observations(1, 99)), (std::vector<double>{5.5, 0, 0, -2}));
  EXPECT_EQ(ValuesOf(list.Observations(1, 2)), (std::vector<double>{5.5, 0}));
  EXPECT_EQ(ValuesOf(list.Observations(2, 2)), (std::vector<double>{1, 0}));
  EXPECT_TRUE(list.Observations(1, -1).empty());
  EXPECT_TRUE(list.Observations(0, 4).empty());
}

// Whatever sets, moves or drops cells, each cell's observation is its text as
// read afresh, and the first empty cell is found where the texts say.
TEST(SampleListTest, ObservationsFollowEveryChange) {
  SampleList list;
  const std::function<void()> changes[] = {
      [&] {
        for (const char* label : {"1", "2", "3"}) list.AppendRow(label);
      },
      [&] {
        list.SetCell(2, 1, "1.25");
        list.SetCell(3, 2, "&H10");
        list.SetCell(1, 2, "1E999");
      },
      [&] {
        list.SetCell(2, 1, "7x");
        list.SetCell(3, 2, "");
      },
      [&] { list.RemoveRow(1); },
      [&] {
        list.Assign({{"1", ".1", ""}, {"2", "", "-3"}, {"3", "2E-5", "0.30"}});
      },
      [&] { list.Assign(std::vector<SampleRow>(SampleList::kMaxRows + 1)); },
      [&] {
        list.ReplaceRows(2, 1, {{"a", "4.5", ""}, {"b", "", "1E999"}});
      },
      [&] {
        list.ReplaceRows(1, 3, {{"c", "9", "8"}});
      },
      [&] {
        list.ReplaceRows(list.Count() + 1, 0, {{"d", "", "-.5"}});
      },
      [&] { list.RemoveRow(2); },
      [&] {
        list.Clear();
        list.AppendRow("9");
      },
  };
  for (std::size_t step = 0; step < std::size(changes); ++step) {
    SCOPED_TRACE(step);
    changes[step]();
    for (int group : {1, 2}) {
      const std::span<const Observation> column = list.Observations(group, list.Count());
      ASSERT_EQ(column.size(), static_cast<std::size_t>(list.Count()));
      int firstEmpty = list.Count() + 1;
      for (int position = list.Count(); position >= 1; --position) {
        EXPECT_EQ(column[position - 1], ReadObservation(*list.Cell(position, group)));
        if (list.Cell(position, group)->empty()) firstEmpty = position;
      }
      EXPECT_EQ(list.FirstEmptyRow(group), firstEmpty);
    }
  }
}

TEST(SampleListTest, HoldsAtMost32767Rows) {
  SampleList list;
  for (int i = 1; i <= SampleList::kMaxRows; ++i) ASSERT_TRUE(list.AppendRow(std::to_string(i)));
  EXPECT_FALSE(list.AppendRow("32768"));
  EXPECT_EQ(list.Count(), 32767);
  EXPECT_EQ(list.RowLabel(32767), "32767");
  for (int i = 1; i <= SampleList::kMaxRows; ++i) list.SetCell(i, 2, "1");
  EXPECT_EQ(list.FirstEmptyRow(2), 32768);

  const std::vector<SampleRow> before = list.Rows();
  EXPECT_FALSE(list.Assign(std::vector<SampleRow>(SampleList::kMaxRows + 1)));
  EXPECT_EQ(list.Rows(), before);
  ASSERT_TRUE(list.Assign({{"1", "5", ""}}));
  EXPECT_EQ(list.Count(), 1);
}

}  // namespace
}  // namespace sumvane
