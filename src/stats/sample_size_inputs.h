// The sample-size window's boxes read as figures: which boxes a design reads,
// and for each box that cannot serve, one Chinese sentence saying which and
// why. No figure is formed while a fault stands.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stats/sample_size.h"

namespace sumvane {

enum class SampleSizeField { kAlpha, kPower, kDelta, kSigma, kP1, kP2, kRho, kRatio, kN };

// The boxes the design reads, in the window's order; the others are ignored.
std::vector<SampleSizeField> FieldsOf(StudyDesign design);

// The texts of the boxes as typed. An empty n means no size to show the power
// of; every other box the design reads must hold a number.
struct SampleSizeTexts {
  std::string_view alpha{}, power{}, delta{}, sigma{}, p1{}, p2{}, rho{}, ratio{}, n{};
};

struct InputFault {
  SampleSizeField field = SampleSizeField::kAlpha;
  std::string sentence;  // UTF-8, plain text, one sentence
  bool missing = false;  // the box is empty: "请输入…"
};

// The faults of figures already read: α or 1 − β outside (0, 1), 1 − β not
// above α, σ ≤ 0, δ = 0, a rate outside (0, 1), two equal rates, discordant
// proportions adding up to more than 1, ρ = 0 or |ρ| ≥ 1, k ≤ 0, n not a
// whole number at least SmallestSize. One fault per field, in FieldsOf order.
// (With both discordant proportions in (0, 1), π_d − δ² ≥ |δ|(1 − |δ|) > 0,
// so the root of the formula always exists.)
std::vector<InputFault> CheckSampleSizeInputs(const SampleSizeInputs& inputs);

// The whole of one keystroke: the boxes read (ReadStrictNumber: a number and
// nothing else), checked, and planned when nothing is at fault.
struct SampleSizeAnswer {
  StudyDesign design = StudyDesign::kTwoMeans;
  TestSides sides = TestSides::kTwoSided;
  std::vector<InputFault> faults;
  std::optional<SampleSizePlan> plan;  // empty while a fault stands
};

SampleSizeAnswer AnswerSampleSize(StudyDesign design, TestSides sides,
                                  const SampleSizeTexts& texts);

}  // namespace sumvane
