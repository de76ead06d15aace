// The sample-size boxes read as figures, the power curve's points and the
// power as the window writes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "close_to.h"
#include "stats/sample_size.h"
#include "stats/sample_size_inputs.h"

namespace sumvane {
namespace {

using D = StudyDesign;
using F = SampleSizeField;
using S = TestSides;

TEST(SampleSizeInputs, OneSentencePerFaultyBox) {
  struct Case {
    D design;
    SampleSizeTexts texts;
    std::vector<std::pair<F, std::string>> faults;
  };
  const Case cases[] = {
      // Blank boxes ask; a box the design does not read is ignored.
      {D::kTwoMeans,
       {"0.05", "0.90", "", " ", "", "", "abc", "1", ""},
       {{F::kDelta, "请输入两总体均数之差δ。"}, {F::kSigma, "请输入总体标准差σ。"}}},
      {D::kTwoMeans,
       {"0,05", "0.05", "0", "-2", "", "", "", "0", "1.5"},
       {{F::kAlpha, "检验水准α须是一个数。"},
        {F::kDelta, "两总体均数之差δ不能为0（没有差别，任何例数都检不出）。"},
        {F::kSigma, "总体标准差σ须大于0。"},
        {F::kRatio, "两组例数之比k须在0.000001与1000000之间。"},
        {F::kN, "第一组例数n₁须是不小于2的整数。"}}},
      // 1 − β not above α; with k = 0.1, n2 = k·n1 ≥ 2 needs n1 ≥ 20.
      {D::kTwoMeans,
       {"0.05", "0.05", "1", "2", "", "", "", "0.1", "19"},
       {{F::kPower, "检验效能1−β须大于检验水准α（任何例数的检验效能都不低于α）。"},
        {F::kN, "第一组例数n₁须是不小于20的整数。"}}},
      // k so small that n1 = 2/k would pass any whole number a double holds.
      {D::kTwoMeans,
       {"0.05", "0.9", "1e300", "1e-300", "", "", "", "1e-300", ""},
       {{F::kRatio, "两组例数之比k须在0.000001与1000000之间。"}}},
      {D::kPairedMeans,
       {"1", "1", "1", "0", "", "", "", "", "1"},
       {{F::kAlpha, "检验水准α须在0与1之间（不含0和1）。"},
        {F::kPower, "检验效能1−β须在0与1之间（不含0和1）。"},
        {F::kSigma, "差值的标准差σd须大于0。"},
        {F::kN, "对子数n须是不小于2的整数。"}}},
      {D::kTwoRates,
       {"0.05", "0.9", "", "", "0.3", "0.3", "", "", ""},
       {{F::kP2, "π₁与π₂不能相等（相等时两组没有差别可检出）。"}}},
      {D::kTwoRates,
       {"0.05", "0.9", "", "", "1", "45%", "", "", ""},
       {{F::kP1, "第一组总体率π₁须在0与1之间（不含0和1）。"},
        {F::kP2, "第二组总体率π₂须是一个数。"}}},
      {D::kPairedRates,
       {"0.05", "0.9", "", "", "0.6", "0.5", "", "", ""},
       {{F::kP2, "π₁₂与π₂₁之和不能超过1（二者都是占全部对子的比例）。"}}},
      {D::kCorrelation,
       {"0.05", "0.9", "", "", "", "", "0", "", "3"},
       {{F::kRho, "总体相关系数ρ不能为0（ρ=0时没有相关可检出）。"},
        {F::kN, "例数n须是不小于4的整数。"}}},
      {D::kCorrelation,
       {"0.05", "0.9", "", "", "", "", "-1", "", ""},
       {{F::kRho, "总体相关系数ρ的绝对值须小于1。"}}},
  };
  for (const Case& c : cases) {
    const SampleSizeAnswer answer = AnswerSampleSize(c.design, S::kTwoSided, c.texts);
    std::vector<std::pair<F, std::string>> faults;
    for (const InputFault& fault : answer.faults) faults.emplace_back(fault.field, fault.sentence);
    EXPECT_EQ(faults, c.faults) << c.texts.alpha << " " << c.texts.p1;
    EXPECT_FALSE(answer.plan);
  }
}

TEST(SampleSizeInputs, WholeSizesAreNotRoundedPastThemselves) {
  // 0.1 × 30 is 3.0000000000000004 in binary: n2 is 3, not 4.
  const SampleSizeAnswer answer = AnswerSampleSize(
      D::kTwoMeans, S::kTwoSided, {"0.05", "0.9", "1", "2", "", "", "", "0.1", "30"});
  ASSERT_TRUE(answer.faults.empty());
  ASSERT_TRUE(answer.plan && answer.plan->atN);
  EXPECT_EQ(answer.plan->atN->n2, 3);
}

TEST(PowerCurve, RunsFromTheSmallestSizeToTwiceTheAnswer) {
  // Two means, δ = 1, σ = 2: the exact answer is 86 per group, so 101 sizes
  // from 2 to 172; power.t.test(n = 172, delta = 1, sd = 2).
  const SampleSizeAnswer means =
      AnswerSampleSize(D::kTwoMeans, S::kTwoSided, {"0.05", "0.9", "1", "2", "", "", "", "1", ""});
  const std::optional<PowerCurve> curve = PowerCurveOf(*means.plan);
  ASSERT_TRUE(curve);
  ASSERT_EQ(curve->n.size(), std::size_t{kPowerCurvePoints});
  ASSERT_EQ(curve->exact.size(), curve->n.size());
  EXPECT_EQ(curve->n.front(), 2);
  EXPECT_EQ(curve->n.back(), 172);
  ExpectNear(curve->exact.back(), 0.99613669027127927, 1e-10);
  EXPECT_TRUE(std::ranges::is_sorted(curve->exact));
  EXPECT_EQ(curve->markedN, 86);
  ExpectNear(curve->markedPower, 0.90322989069176562, 1e-10);
  EXPECT_EQ(curve->target, 0.9);

  // Correlation, ρ = 0.5 (n = 38), n = 80 given: every whole size from 4 to
  // 100, past 80 by a quarter; the formula's power only, n = 80 marked.
  const SampleSizeAnswer correlation = AnswerSampleSize(
      D::kCorrelation, S::kTwoSided, {"0.05", "0.9", "", "", "", "", "0.5", "", "80"});
  const std::optional<PowerCurve> whole = PowerCurveOf(*correlation.plan);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->n.size(), std::size_t{97});
  EXPECT_EQ(whole->n.back(), 100);
  EXPECT_TRUE(whole->exact.empty());
  EXPECT_EQ(whole->markedN, 80);
  EXPECT_EQ(whole->markedPower, correlation.plan->atN->formula);
}

// Extreme figures still give powers between 0 and 1 along the whole curve:
// α = 1e-300 puts the t's critical value near 1e300, whose square overflows.
TEST(PowerCurve, ExtremeInputsGivePowersBetweenZeroAndOne) {
  const SampleSizeTexts cases[] = {
      {"1e-300", "0.9", "1", "1", "", "", "", "1", ""},
      {"1e-300", "0.9", "1e300", "1e300", "", "", "", "1", "5"},
      {"0.9999999", "0.9999999999999999", "1e-300", "1e300", "", "", "", "1e6", "100"},
  };
  for (const SampleSizeTexts& texts : cases) {
    for (const D design : {D::kTwoMeans, D::kPairedMeans}) {
      const SampleSizeAnswer answer = AnswerSampleSize(design, S::kTwoSided, texts);
      if (!answer.plan || !answer.plan->formula) continue;
      const std::optional<PowerCurve> curve = PowerCurveOf(*answer.plan);
      ASSERT_TRUE(curve);
      for (const std::vector<double>* powers : {&curve->formula, &curve->exact}) {
        for (const double power : *powers) EXPECT_TRUE(power >= 0.0 && power <= 1.0) << power;
      }
      EXPECT_TRUE(curve->markedPower >= 0.0 && curve->markedPower <= 1.0);
    }
  }
}

TEST(PowerFigureText, FourSignificantDigits) {
  const std::pair<double, const char*> cases[] = {
      {0.72334, "1−β=0.7233"}, {0.9, "1−β=0.9"},        {0.90322998, "1−β=0.9032"},
      {0.99996, "1−β>0.9999"}, {0.99994, "1−β=0.9999"}, {0.00004, "1−β<0.0001"},
  };
  for (const auto& [power, text] : cases) EXPECT_EQ(PowerFigureText(power), text);
}

}  // namespace
}  // namespace sumvane
