// What holds for every report whatever the panel holds: no NaN or infinity
// ever written, typed texts escaped, and the window's pictures in their
// places.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "report/reports.h"
#include "report_test_support.h"

namespace sumvane {
namespace {

// Each report from nine texts that stand for the panel's boxes, the four
// cells, margins and expected counts of the tables included.
using Texts = std::vector<std::string>;
using Writer = std::function<std::string(const Texts&, Alpha, const ReportPictures&)>;

const std::vector<std::pair<const char*, Writer>>& Writers() {
  static const std::vector<std::pair<const char*, Writer>> writers = {
      {"two-sample",
       [](const Texts& t, Alpha a, const ReportPictures& p) {
         return TwoSampleReport(TypedTwoSample({t[0], t[1], t[2], t[3], t[4], t[5]}, a), p);
       }},
      {"paired",
       [](const Texts& t, Alpha a, const ReportPictures& p) {
         return PairedReport(AnalysePaired(TypedPairs(t[0], t[1], t[2]), a), p);
       }},
      {"correlation",
       [](const Texts& t, Alpha a, const ReportPictures& p) {
         return CorrelationReport(AnalyseCorrelation(TypedCorrelation(t[0], t[1], t[3]), a), p);
       }},
      {"chi-square",
       [](const Texts& t, Alpha a, const ReportPictures& p) {
         return ChiSquareReport(
             AnalyseChiSquare(TableOf({t[0], t[1], t[2], t[3]}), std::nullopt, a), p);
       }},
      {"paired chi-square",
       [](const Texts& t, Alpha a, const ReportPictures& p) {
         return PairedChiSquareReport(AnalysePairedChiSquare(TableOf({t[0], t[1], t[2], t[3]}), a),
                                      p);
       }},
  };
  return writers;
}

// Figures of a full report for each analysis, in the order of Writers().
const Texts kFull[] = {
    {"5.2", "4.1", "1.1", "1.3", "10", "12", "20", "2.1160", ""},
    {"10", "2.5", "3.2", "1.0119", "2.4705", "", "", "", ""},
    {"5", "0.774596669241483", "2.12132034355964", "Y=2.2 + 0.6X", "", "", "", "", ""},
    {"20", "10", "15", "25", "35", "35", "30", "40", "70"},
    {"25", "8", "16", "31", "41", "39", "33", "47", "80"},
};

bool WritesNoNonFigure(const std::string& html) {
  std::string lower = html;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("nan") == std::string::npos && lower.find("inf") == std::string::npos &&
         html.find("∞") == std::string::npos;
}

TEST(ReportPages, NoNanOrInfinityWhateverTheBoxesHold) {
  const char* awkward[] = {"",    "0",          "-1",    "1E308", "-1E308", "1E-300",
                           "abc", "&H7FFFFFFF", "99999", "0.5",   "1",      "-0"};
  for (std::size_t w = 0; w < Writers().size(); ++w) {
    const auto& [name, write] = Writers()[w];
    for (const char* text : awkward) {
      const Texts all(9, text);
      EXPECT_TRUE(WritesNoNonFigure(write(all, Alpha::kOnePercent, {}))) << name << " " << text;
      for (std::size_t box = 0; box < all.size(); ++box) {
        Texts one = kFull[w];
        one[box] = text;
        EXPECT_TRUE(WritesNoNonFigure(write(one, Alpha::kFivePercent, {})))
            << name << " box " << box << " holds " << text;
      }
    }
  }
}

TEST(ReportPages, TypedTextsAreEscaped) {
  Texts typed = kFull[0];
  typed[0] = "5.2<i>&";
  const std::string html = Writers()[0].second(typed, Alpha::kFivePercent, {});
  EXPECT_NE(html.find("5.2&lt;i&gt;&amp;"), std::string::npos);
  EXPECT_EQ(html.find("5.2<i>"), std::string::npos);
}

TEST(ReportPages, PicturesFollowTheDataAndTheConclusion) {
  const ReportPictures pictures{.data = "<p>DATA-PICTURE</p>",
                                .test = "<p>TEST-PICTURE</p>",
                                .effects = "<p>EFFECTS-PICTURE</p>"};
  for (std::size_t w = 0; w < Writers().size(); ++w) {
    SCOPED_TRACE(Writers()[w].first);
    const std::string html = Writers()[w].second(kFull[w], Alpha::kFivePercent, pictures);
    ExpectInOrder(html, {"一、资料", "</table>", "<p>DATA-PICTURE</p>", "二、", "四、",
                         "拒绝H<sub>0</sub>", "<p>TEST-PICTURE</p>", "五、"});
    // Only the fourfold table draws its effect measures, after them.
    if (w == 3) ExpectInOrder(html, {"效应大小", "NNT", "<p>EFFECTS-PICTURE</p>"});
    EXPECT_EQ(html.find("EFFECTS-PICTURE") != std::string::npos, w == 3);
  }
}

}  // namespace
}  // namespace sumvane
