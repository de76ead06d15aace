// The data every benchmark works on, and the engine half of the calculation,
// shared by the benchmark programs so that a figure and its baseline see the
// same cells.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "entry/sample_list.h"
#include "stats/paired.h"
#include "stats/regression.h"
#include "stats/two_sample.h"

namespace sumvane::bench {

constexpr int kFullRows = SampleList::kMaxRows;

// Cell texts as people type them: two decimals, values spread over a few
// hundred units, a different but fixed sequence per group.
inline std::string CellText(int row, int group) {
  std::uint32_t state = static_cast<std::uint32_t>(row) * 2654435761u + (group == 1 ? 17u : 91u);
  state ^= state >> 13;
  state *= 0x5bd1e995u;
  state ^= state >> 15;
  char text[32];
  const double value = 40.0 + static_cast<double>(state % 60000) / 100.0;
  std::snprintf(text, sizeof(text), "%.2f", value);
  return text;
}

// `count` rows labelled 1..count; group 1 filled in the first group1Filled
// rows, group 2 in the first group2Filled.
inline std::vector<SampleRow> MakeRows(int count, int group1Filled, int group2Filled) {
  std::vector<SampleRow> rows;
  rows.reserve(static_cast<std::size_t>(count));
  for (int row = 1; row <= count; ++row) {
    rows.push_back(SampleRow{std::to_string(row), row <= group1Filled ? CellText(row, 1) : "",
                             row <= group2Filled ? CellText(row, 2) : ""});
  }
  return rows;
}

inline SampleList MakeList(int count, int group1Filled, int group2Filled) {
  SampleList list;
  list.Assign(MakeRows(count, group1Filled, group2Filled));
  return list;
}

// What the calculate command does with the list for each analysis, without
// the window: the filled lengths, and the summary of the observations that the
// list read when the cells entered it.
inline TwoSampleResult CalculateTwoSample(const SampleList& list) {
  std::array<GroupInputs, 2> groups;
  for (int group : {1, 2}) {
    groups[group - 1] = SummariseGroup(list.Observations(group, list.FilledCount(group)));
  }
  return AnalyseTwoSample(groups, Alpha::kFivePercent);
}

inline PairedInputs CalculatePaired(const SampleList& list) {
  const int n1 = list.FilledCount(1);
  const int n2 = list.FilledCount(2);
  if (n1 != n2) return {};
  return SummarisePairs(list.Observations(1, n1), list.Observations(2, n2));
}

inline CorrelationInputs CalculateRegression(const SampleList& list) {
  const int n1 = list.FilledCount(1);
  const int n2 = list.FilledCount(2);
  if (n1 != n2) return {};
  return Regress(list.Observations(1, n1), list.Observations(2, n2));
}

// The least any calculation must do: read every filled cell of both groups
// once with the C library and add the values up.
inline double StrtodSum(const SampleList& list) {
  double sum = 0.0;
  for (const SampleRow& row : list.Rows()) {
    sum += std::strtod(row.group1.c_str(), nullptr);
    sum += std::strtod(row.group2.c_str(), nullptr);
  }
  return sum;
}

// A scratch file name in the system's temporary folder, one per process.
inline std::string ScratchPath(const std::string& name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/sumvane-bench-" +
         std::to_string(static_cast<long>(::getpid())) + "-" + name;
}

}  // namespace sumvane::bench
