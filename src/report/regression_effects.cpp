// Correlation and regression's part of 效应大小及其可信区间: r², the
// interval of ρ, and from the list's pairs b, a, S_y·x, the analysis of
// variance and the prediction at X0.
#include <cmath>
#include <string>

#include "report/check_sections.h"
#include "report/effect_sections.h"
#include "report/steps.h"
#include "stats/four_digit_text.h"
#include "stats/number.h"

namespace sumvane::report {
namespace {

using html::Overline;
using html::Sub;
using html::Sup;

std::string Figure(const std::optional<double>& value) { return FourDigitText(value); }

std::string Put(const std::optional<double>& value) {
  const std::string text = FourDigitText(value);
  return text.starts_with('-') ? "(" + text + ")" : text;
}

std::string Ci(const std::optional<Interval>& interval, std::string_view method) {
  if (!interval) return "95%可信区间不能计算";
  return "95%可信区间：" + IntervalText(*interval) + "（" + std::string(method) + "）";
}

const std::string kSyx = "S" + Sub("Y·X");

void WriteRho(html::Page& page, const CorrelationResult& result) {
  if (!result.rhoInterval) {
    page.Paragraph("ρ的95%可信区间：须n&gt;3且|r|&lt;1，不能计算。");
    return;
  }
  const double r = result.inputs.r.Read();
  page.Paragraph("ρ的95%可信区间：z = tanh" + Sup("−1") +
                 "r = ½ln[(1+r)/(1−r)] = " + FourDigitText(std::atanh(r)) +
                 "，z ± 1.96/√(n−3) 反变换得 " + Ci(result.rhoInterval, "Fisher z变换"));
}

std::string WhyNoLine(RegressionGap gap) {
  switch (gap) {
    case RegressionGap::kTooFewPairs:
      return "对子数须至少为3，剩余标准差及回归系数的区间估计不能计算。";
    case RegressionGap::kAllXEqual:
      return "X的各值全部相同，没有回归直线。";
    default:
      return "";
  }
}

void WriteCoefficients(html::Page& page, const RegressionInference& line, const std::string& t) {
  page.Paragraph(kSyx + " = √[SS" + Sub("剩余") + "/(n−2)] = √(" +
                 Figure(line.anova.residualSquares) + "/" + NumberText(line.n - 2.0) +
                 ") = " + Figure(line.residualSd) + "（剩余标准差）");
  page.Paragraph("S" + Sub("b") + " = " + kSyx + "/√l" + Sub("XX") + " = " +
                 Figure(line.residualSd) + "/√" + Figure(line.lxx) + " = " + Figure(line.slopeSe) +
                 "；b的95%可信区间：b ± " + t + "S" + Sub("b") + " = " + Put(line.slope) + " ± " +
                 Figure(line.tQuantile) + "×" + Figure(line.slopeSe) + "，" +
                 Ci(line.slopeInterval, "t分布法"));
  page.Paragraph("S" + Sub("a") + " = " + kSyx + "√(1/n + " + Overline("X") + Sup("2") + "/l" +
                 Sub("XX") + ") = " + Figure(line.interceptSe) + "；a的95%可信区间：a ± " + t +
                 "S" + Sub("a") + " = " + Put(line.intercept) + " ± " + Figure(line.tQuantile) +
                 "×" + Figure(line.interceptSe) + "，" + Ci(line.interceptInterval, "t分布法"));
}

void WriteAnova(html::Page& page, const RegressionInference& line) {
  const RegressionAnova& a = line.anova;
  page.Paragraph("回归的方差分析（F = t" + Sub("b") + Sup("2") + "）：");
  page.Table({{"变异来源", "SS", "ν", "MS", "F", "P"},
              {"回归", Figure(a.regressionSquares), NumberText(a.regressionDegrees),
               Figure(a.regressionMeanSquare), Figure(a.f), html::Escape(PText(a.p))},
              {"剩余", Figure(a.residualSquares), NumberText(a.residualDegrees),
               Figure(a.residualMeanSquare), "", ""},
              {"总", Figure(a.totalSquares), NumberText(a.totalDegrees), "", "", ""}});
}

void WritePrediction(html::Page& page, const CorrelationResult& result, const std::string& t) {
  if (!result.inputs.predictX || !result.prediction) {
    page.Paragraph(
        "在报告窗口的“X₀=”框中输入X值，可得该处的Ŷ、Y总体均数的95%可信区间与个体Y值的95%"
        "预测区间。");
    return;
  }
  const RegressionPrediction& at = *result.prediction;
  const std::string away =
      "(X" + Sub("0") + "−" + Overline("X") + ")" + Sup("2") + "/l" + Sub("XX");
  page.Paragraph("X" + Sub("0") + " = " + Figure(result.inputs.predictX) + "：Ŷ = a + bX" +
                 Sub("0") + " = " + Figure(at.fitted));
  page.Paragraph("Y总体均数的95%可信区间：Ŷ ± " + t + "S" + Sub("Ŷ") + "，S" + Sub("Ŷ") + " = " +
                 kSyx + "√(1/n + " + away + ") = " + Figure(at.meanSe) + "，" +
                 Ci(at.meanInterval, "t分布法"));
  page.Paragraph("个体Y值的95%预测区间：Ŷ ± " + t + "S" + Sub("Y") + "，S" + Sub("Y") + " = " +
                 kSyx + "√(1 + 1/n + " + away + ") = " + Figure(at.predictionSe) + "，" +
                 (at.predictionInterval
                      ? "95%预测区间：" + IntervalText(*at.predictionInterval) + "（t分布法）"
                      : std::string("不能计算")));
}

}  // namespace

void WriteCorrelationEffects(html::Page& page, const CorrelationResult& result) {
  Subheading(page, "效应大小及其可信区间");
  if (result.rSquared) {
    page.Paragraph("决定系数 r" + Sup("2") + " = " + Put(result.inputs.r.Value()) + Sup("2") +
                   " = " + Figure(result.rSquared) + "：Y的变异中可由X的直线关系解释的比例。");
  }
  WriteRho(page, result);
  if (!result.regression) {
    page.Paragraph("b、S" + Sub("b") +
                   "、a及回归的区间估计需要原始数据：请在列表中输入成对的X、Y后按“计算”。");
    return;
  }
  const RegressionInference& line = *result.regression;
  if (!line.residualSd) {
    WriteStop(page, WhyNoLine(line.gap));
    return;
  }
  const std::string t = "t" + Sub("0.05/2," + NumberText(line.n - 2.0));
  WriteCoefficients(page, line, t);
  WriteAnova(page, line);
  if (line.gap == RegressionGap::kPerfectFit) {
    page.Paragraph("各点都在回归直线上（剩余平方和为0），区间没有宽度。");
  }
  WritePrediction(page, result, t);
}

}  // namespace sumvane::report
