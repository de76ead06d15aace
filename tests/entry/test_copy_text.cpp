#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "entry/copy_text.h"
#include "entry/paste.h"

namespace sumvane {
namespace {

TEST(CopyTextTest, ListIsTabSeparatedWithItsHeader) {
  SampleList list;
  ASSERT_TRUE(list.Assign({{"1", "5.2", "4.85"}, {"2", "", "6"}, {"a\tb", "x\"y", "\"q\""}}));
  EXPECT_EQ(ListCopyText(list),
            "序号\t第1组\t第2组\n"
            "1\t5.2\t4.85\n"
            "2\t\t6\n"
            "\"a\tb\"\tx\"y\t\"\"\"q\"\"\"\n");
  EXPECT_EQ(ListCopyText(SampleList()), "序号\t第1组\t第2组\n");
}

TEST(CopyTextTest, CopiedListPastesBackIntoTheSameGroups) {
  SampleList list;
  ASSERT_TRUE(list.Assign({{"1", "5.2", "4.85"}, {"2", "-.5", "6"}, {"3", "1E3", ""}}));
  const ListPaste pasted = ParseListPaste(ListCopyText(list));
  ASSERT_TRUE(std::holds_alternative<PasteColumns>(pasted));
  EXPECT_EQ(std::get<PasteColumns>(pasted).columns,
            (std::vector<std::vector<std::string>>{{"5.2", "-.5", "1E3"}, {"4.85", "6"}}));
}

TEST(CopyTextTest, FourfoldTableWithCaptionsAndMargins) {
  const FourfoldTexts shown{"组别",
                            {"（+）", "（-）"},
                            {"试验组", "对照组"},
                            {"12", "5", "7", "20"},
                            {"17", "27"},
                            {"19", "25"},
                            "44"};
  EXPECT_EQ(FourfoldCopyText(shown),
            "组别\t（+）\t（-）\t合计\n"
            "试验组\t12\t5\t17\n"
            "对照组\t7\t20\t27\n"
            "合计\t19\t25\t44\n");
}

}  // namespace
}  // namespace sumvane
