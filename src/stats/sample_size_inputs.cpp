#include "stats/sample_size_inputs.h"

#include <algorithm>
#include <cmath>

#include "stats/number.h"
#include "stats/strict_number.h"

namespace sumvane {
namespace {

using Field = SampleSizeField;

// The name of a box's figure in the design's words.
std::string Label(StudyDesign design, Field field) {
  const bool paired = design == StudyDesign::kPairedMeans || design == StudyDesign::kPairedRates;
  switch (field) {
    case Field::kAlpha:
      return "检验水准α";
    case Field::kPower:
      return "检验效能1−β";
    case Field::kDelta:
      return paired ? "差值的总体均数δ" : "两总体均数之差δ";
    case Field::kSigma:
      return paired ? "差值的标准差σd" : "总体标准差σ";
    case Field::kP1:
      return paired ? "π₁₂（甲法阳性、乙法阴性的对子比例）" : "第一组总体率π₁";
    case Field::kP2:
      return paired ? "π₂₁（甲法阴性、乙法阳性的对子比例）" : "第二组总体率π₂";
    case Field::kRho:
      return "总体相关系数ρ";
    case Field::kRatio:
      return "两组例数之比k";
    case Field::kN:
      break;
  }
  switch (design) {
    case StudyDesign::kTwoMeans:
      return "第一组例数n₁";
    case StudyDesign::kTwoRates:
      return "每组例数n";
    case StudyDesign::kPairedMeans:
    case StudyDesign::kPairedRates:
      return "对子数n";
    case StudyDesign::kCorrelation:
      break;
  }
  return "例数n";
}

double Value(const SampleSizeInputs& inputs, Field field) {
  switch (field) {
    case Field::kAlpha:
      return inputs.alpha;
    case Field::kPower:
      return inputs.power;
    case Field::kDelta:
      return inputs.delta;
    case Field::kSigma:
      return inputs.sigma;
    case Field::kP1:
      return inputs.p1;
    case Field::kP2:
      return inputs.p2;
    case Field::kRho:
      return inputs.rho;
    case Field::kRatio:
      return inputs.ratio;
    case Field::kN:
      break;
  }
  return inputs.n.value_or(0.0);
}

void SetValue(SampleSizeInputs& inputs, Field field, double value) {
  switch (field) {
    case Field::kAlpha:
      inputs.alpha = value;
      return;
    case Field::kPower:
      inputs.power = value;
      return;
    case Field::kDelta:
      inputs.delta = value;
      return;
    case Field::kSigma:
      inputs.sigma = value;
      return;
    case Field::kP1:
      inputs.p1 = value;
      return;
    case Field::kP2:
      inputs.p2 = value;
      return;
    case Field::kRho:
      inputs.rho = value;
      return;
    case Field::kRatio:
      inputs.ratio = value;
      return;
    case Field::kN:
      inputs.n = value;
      return;
  }
}

std::string_view TextOf(const SampleSizeTexts& texts, Field field) {
  switch (field) {
    case Field::kAlpha:
      return texts.alpha;
    case Field::kPower:
      return texts.power;
    case Field::kDelta:
      return texts.delta;
    case Field::kSigma:
      return texts.sigma;
    case Field::kP1:
      return texts.p1;
    case Field::kP2:
      return texts.p2;
    case Field::kRho:
      return texts.rho;
    case Field::kRatio:
      return texts.ratio;
    case Field::kN:
      break;
  }
  return texts.n;
}

bool InOpenUnit(double x) { return x > 0.0 && x < 1.0; }

const std::string kOpenUnit = "须在0与1之间（不含0和1）。";

// The fault of one field read as `value`, given the fields already read
// (those with a fault of their own are not in `read`); empty when none.
std::string FaultOf(const SampleSizeInputs& in, Field field, const std::vector<Field>& read) {
  const auto has = [&](Field f) { return std::ranges::find(read, f) != read.end(); };
  const std::string label = Label(in.design, field);
  const double value = Value(in, field);
  switch (field) {
    case Field::kAlpha:
      return InOpenUnit(value) ? "" : label + kOpenUnit;
    case Field::kPower:
      if (!InOpenUnit(value)) return label + kOpenUnit;
      if (has(Field::kAlpha) && InOpenUnit(in.alpha) && value <= in.alpha) {
        return label + "须大于检验水准α（任何例数的检验效能都不低于α）。";
      }
      return "";
    case Field::kDelta:
      return value == 0.0 ? label + "不能为0（没有差别，任何例数都检不出）。" : "";
    case Field::kSigma:
      return value > 0.0 ? "" : label + "须大于0。";
    case Field::kP1:
      return InOpenUnit(value) ? "" : label + kOpenUnit;
    case Field::kP2:
      if (!InOpenUnit(value)) return label + kOpenUnit;
      if (!has(Field::kP1) || !InOpenUnit(in.p1)) return "";
      if (in.design == StudyDesign::kPairedRates) {
        if (value == in.p1) return "π₁₂与π₂₁不能相等（相等时两法没有差别可检出）。";
        if (in.p1 + value > 1.0) return "π₁₂与π₂₁之和不能超过1（二者都是占全部对子的比例）。";
      } else if (value == in.p1) {
        return "π₁与π₂不能相等（相等时两组没有差别可检出）。";
      }
      return "";
    case Field::kRho:
      if (value == 0.0) return label + "不能为0（ρ=0时没有相关可检出）。";
      return std::fabs(value) < 1.0 ? "" : label + "的绝对值须小于1。";
    case Field::kRatio:
      // Beyond these the second group's size outgrows any study, and a double.
      return value >= 1e-6 && value <= 1e6 ? "" : label + "须在0.000001与1000000之间。";
    case Field::kN:
      break;
  }
  SampleSizeInputs sized = in;
  if (!has(Field::kRatio)) sized.ratio = 1.0;
  const double smallest = SmallestSize(sized);
  if (value > kLargestSize) return label + "太大，超出可计算的范围。";
  if (value != std::floor(value) || value < smallest) {
    return label + "须是不小于" + NumberText(smallest) + "的整数。";
  }
  return "";
}

// The faults of the fields in `fields` whose figures are in `in`; `read`
// holds the fields that were read without a fault of their own.
std::vector<InputFault> FaultsOf(const SampleSizeInputs& in, const std::vector<Field>& fields,
                                 const std::vector<Field>& read) {
  std::vector<InputFault> faults;
  for (const Field field : fields) {
    if (std::ranges::find(read, field) == read.end()) continue;
    if (field == Field::kN && !in.n) continue;
    std::string sentence = FaultOf(in, field, read);
    if (!sentence.empty()) faults.push_back({field, std::move(sentence), false});
  }
  return faults;
}

}  // namespace

std::vector<SampleSizeField> FieldsOf(StudyDesign design) {
  switch (design) {
    case StudyDesign::kTwoMeans:
      return {Field::kAlpha, Field::kPower, Field::kDelta, Field::kSigma, Field::kRatio, Field::kN};
    case StudyDesign::kPairedMeans:
      return {Field::kAlpha, Field::kPower, Field::kDelta, Field::kSigma, Field::kN};
    case StudyDesign::kTwoRates:
    case StudyDesign::kPairedRates:
      return {Field::kAlpha, Field::kPower, Field::kP1, Field::kP2, Field::kN};
    case StudyDesign::kCorrelation:
      break;
  }
  return {Field::kAlpha, Field::kPower, Field::kRho, Field::kN};
}

std::vector<InputFault> CheckSampleSizeInputs(const SampleSizeInputs& inputs) {
  const std::vector<Field> fields = FieldsOf(inputs.design);
  return FaultsOf(inputs, fields, fields);
}

SampleSizeAnswer AnswerSampleSize(StudyDesign design, TestSides sides,
                                  const SampleSizeTexts& texts) {
  SampleSizeAnswer answer;
  answer.design = design;
  answer.sides = sides;
  SampleSizeInputs inputs;
  inputs.design = design;
  inputs.sides = sides;
  const std::vector<Field> fields = FieldsOf(design);
  std::vector<Field> read;
  std::vector<InputFault> unread;
  for (const Field field : fields) {
    const std::string_view text = TextOf(texts, field);
    const bool blank = text.find_first_not_of(" \t") == std::string_view::npos;
    if (blank && field == Field::kN) continue;
    const std::string label = Label(design, field);
    if (blank) {
      unread.push_back({field, "请输入" + label + "。", true});
      continue;
    }
    const std::optional<double> value = ReadStrictNumber(text);
    if (!value) {
      unread.push_back({field, label + "须是一个数。", false});
      continue;
    }
    SetValue(inputs, field, *value);
    read.push_back(field);
  }
  std::vector<InputFault> checked = FaultsOf(inputs, fields, read);
  // One sentence per box, in the boxes' order.
  for (const Field field : fields) {
    for (auto* list : {&unread, &checked}) {
      for (InputFault& fault : *list) {
        if (fault.field == field) answer.faults.push_back(std::move(fault));
      }
    }
  }
  if (answer.faults.empty()) answer.plan = PlanSampleSize(inputs);
  return answer;
}

}  // namespace sumvane
