// The five analyses, numbered as their buttons and result panels are.
#pragma once

#include <QString>
#include <array>
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

// The chi-square analyses read the fourfold table; the others read the list.
inline bool ReadsFourfoldTable(Analysis analysis) {
  return analysis == Analysis::kChiSquare || analysis == Analysis::kPairedChiSquare;
}

inline QString Caption(Analysis analysis) {
  static const std::array<QString, kAnalysisCount> captions = {
      QStringLiteral("两样本均数差别T检验"), QStringLiteral("配对计量资料T检验"),
      QStringLiteral("直线相关与回归"), QStringLiteral("计数资料卡方检验"),
      QStringLiteral("配对资料卡方检验")};
  return captions[Number(analysis)];
}

// The group sizes found by the last computation of each group. Calculate and
// each Enter write them; the two-sample degrees of freedom read both, so an
// Enter into one group is judged against the last known size of the other.
struct GroupSizes {
  std::int16_t n1 = 0;
  std::int16_t n2 = 0;
};

}  // namespace sumvane
