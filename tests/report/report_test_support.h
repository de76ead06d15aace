// Reading a report as its reader does: the page's text with the markup gone,
// sub- and superscripts kept visible as _{…} and ^{…}, so that an expected
// text pins the notation as well as the figures.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "../stats/observations_of.h"
#include "stats/paired.h"
#include "stats/regression.h"
#include "stats/two_sample.h"

namespace sumvane {

// The correlation panel's figures from pairs in the list.
inline CorrelationInputs FromList(std::vector<double> x, std::vector<double> y) {
  return PairsForRegression(ObservationsOf(x), ObservationsOf(y));
}

// The correlation panel's n and r as typed, and an equation typed over none.
inline CorrelationInputs TypedCorrelation(std::string_view n, std::string_view r,
                                          std::string_view equation = "") {
  CorrelationInputs inputs{.n = PanelFigure::Typed(n), .r = PanelFigure::Typed(r)};
  if (!equation.empty()) inputs.typedEquation = std::string(equation);
  return inputs;
}

// The paired panel's three figures as typed.
inline PairedInputs TypedPairs(std::string_view n, std::string_view d, std::string_view sd) {
  return {.n = PanelFigure::Typed(n),
          .meanDifference = PanelFigure::Typed(d),
          .sdDifference = PanelFigure::Typed(sd)};
}

// The two-sample panel's six boxes as typed: X1, X2, S1, S2, N1, N2.
inline TwoSampleResult TypedTwoSample(const std::array<std::string_view, 6>& boxes, Alpha alpha) {
  auto typed = [](std::string_view text) { return PanelFigure::Typed(text); };
  return AnalyseTwoSample({{{typed(boxes[0]), typed(boxes[2]), typed(boxes[4])},
                            {typed(boxes[1]), typed(boxes[3]), typed(boxes[5])}}},
                          alpha);
}

inline std::string Plain(std::string_view html) {
  static const std::pair<std::string_view, std::string_view> kMarks[] = {
      {"<sub>", "_{"}, {"</sub>", "}"}, {"<sup>", "^{"}, {"</sup>", "}"}};
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&amp;", '&'}};
  std::string text;
  for (std::size_t i = 0; i < html.size();) {
    bool replaced = false;
    for (const auto& [mark, shown] : kMarks) {
      if (html.substr(i).starts_with(mark)) {
        text += shown;
        i += mark.size();
        replaced = true;
        break;
      }
    }
    for (const auto& [entity, shown] : kEntities) {
      if (!replaced && html.substr(i).starts_with(entity)) {
        text += shown;
        i += entity.size();
        replaced = true;
      }
    }
    if (replaced) continue;
    if (html[i] == '<') {
      const std::size_t close = html.find('>', i);
      if (close == std::string_view::npos) break;
      i = close + 1;
    } else {
      text += html[i++];
    }
  }
  return text;
}

// A report and what its reader must find in it, in the order given, and must
// not find at all.
struct ReportCase {
  const char* what;
  std::string html;
  std::vector<std::string_view> expected;
  std::vector<std::string_view> absent = {};
};

inline void ExpectInOrder(const std::string& text, const std::vector<std::string_view>& expected) {
  std::size_t from = 0;
  for (std::string_view part : expected) {
    const std::size_t found = text.find(part, from);
    ASSERT_NE(found, std::string::npos) << "missing, or out of order: " << part << "\n" << text;
    from = found + part.size();
  }
}

inline void CheckReports(const std::vector<ReportCase>& cases) {
  for (const ReportCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string text = Plain(c.html);
    ExpectInOrder(text, c.expected);
    for (std::string_view part : c.absent) {
      EXPECT_EQ(text.find(part), std::string::npos) << "unexpected: " << part;
    }
  }
}

}  // namespace sumvane
