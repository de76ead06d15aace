// The five analyses, numbered as their buttons and result panels are.
#pragma once

#include <QString>
#include <cstdint>

namespace sumvane {

enum class Analysis : std::int16_t {
  kTwoSample = 0,
  kPaired = 1,
  kRegression = 2,
  kChiSquare = 3,
  kPairedChiSquare = 4,
};

inline constexpr int kAnalysisCount = 5;

inline int Number(Analysis analysis) { return static_cast<int>(analysis); }

// The caption and whether the analysis reads the fourfold table, from its
// description (analyses.h).
QString Caption(Analysis analysis);
bool ReadsFourfoldTable(Analysis analysis);

// The group sizes found by the last computation of each group: the two-sample
// degrees of freedom read both, so an Enter into one group is judged against
// the last known size of the other.
struct GroupSizes {
  std::int16_t n1 = 0;
  std::int16_t n2 = 0;
};

}  // namespace sumvane
