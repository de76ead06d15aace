// The calculation over cells read once into observations, as the list keeps
// them beside their texts: what the calculate command does for each analysis
// once no cell is parsed at each press, down to the texts the boxes show.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "entry/sample_list.h"
#include "stats/moments.h"
#include "stats/number.h"

namespace sumvane::bench {

struct ParsedColumns {
  std::vector<Observation> group1;
  std::vector<Observation> group2;
};

// Each group's leading run of filled cells.
inline ParsedColumns ParseList(const SampleList& list) {
  ParsedColumns columns;
  const auto& rows = list.Rows();
  const auto n1 = static_cast<std::size_t>(list.FilledCount(1));
  const auto n2 = static_cast<std::size_t>(list.FilledCount(2));
  columns.group1.reserve(n1);
  columns.group2.reserve(n2);
  for (std::size_t i = 0; i < n1; ++i) columns.group1.push_back(ReadObservation(rows[i].group1));
  for (std::size_t i = 0; i < n2; ++i) columns.group2.push_back(ReadObservation(rows[i].group2));
  return columns;
}

// Mean and sd of both groups.
inline std::array<std::string, 4> CalculateParsedTwoSample(const ParsedColumns& columns) {
  const MeanAndSd first = DescribeValues(columns.group1);
  const MeanAndSd second = DescribeValues(columns.group2);
  return {NumberText(first.mean), NumberText(first.sd), NumberText(second.mean),
          NumberText(second.sd)};
}

inline std::array<std::string, 2> CalculateParsedPaired(const ParsedColumns& columns) {
  const MeanAndSd differences = DescribeDifferences(columns.group1, columns.group2);
  return {NumberText(differences.mean), NumberText(differences.sd)};
}

// The equation as the regression panel writes it.
inline std::string EquationText(const FittedLine& line) {
  if (!line.slope || !line.intercept) return "";
  const std::string slope = ClipText(FormatDecimal(*line.slope), 8);
  return "Y=" + ClipText(FormatDecimal(*line.intercept), 8) +
         (slope.starts_with('-') ? "" : " + ") + slope + "X";
}

inline std::array<std::string, 2> CalculateParsedRegression(const ParsedColumns& columns) {
  const FittedLine line = FitLine(columns.group1, columns.group2);
  return {FormatDecimal(line.r), EquationText(line)};
}

// Every analysis's figures from one pass over both groups.
inline std::array<std::string, 8> CalculateParsedAll(const ParsedColumns& columns) {
  const PairFigures all = DescribePairs(columns.group1, columns.group2);
  return {NumberText(all.x.mean),           NumberText(all.x.sd),
          NumberText(all.y.mean),           NumberText(all.y.sd),
          NumberText(all.differences.mean), NumberText(all.differences.sd),
          FormatDecimal(all.line.r),        EquationText(all.line)};
}

}  // namespace sumvane::bench
