#include "report/two_sample_checks.h"

#include <string>

#include "report/check_sections.h"
#include "report/steps.h"
#include "stats/answers.h"
#include "stats/four_digit_text.h"
#include "stats/number.h"

namespace sumvane::report {
namespace {

using html::Escape;
using html::Sub;
using html::Sup;

// Up to this many values in all the report lists each with its rank.
constexpr std::size_t kMostListedValues = 20;

const char* const kGroupNames[2] = {"第1组", "第2组"};

std::string Figure(const std::optional<double>& value) { return FourDigitText(value); }

// Ranks and rank sums are whole or half numbers, written whole.
std::string Rank(double value) { return FormatDecimal(value); }

void WriteLevene(html::Page& page, const LeveneTest& test) {
  const std::string lead = "方差齐性检验（Levene法，离差取各组中位数）：";
  if (!test.f || !test.df1 || !test.df2 || !test.p) {
    page.Paragraph(lead + "各组数据与其中位数之差的绝对值没有变异或例数不足，F不能计算。");
    return;
  }
  page.Paragraph(lead + "H" + Sub("0") + "：两总体方差相等，F=" + Figure(test.f) + "，ν" +
                 Sub("1") + "=" + NumberText(*test.df1) + "，ν" + Sub("2") + "=" +
                 NumberText(*test.df2) + "，" + Escape(PText(test.p)) + "。");
  page.Paragraph(
      *test.p < 0.05
          ? std::string("<b>按α=0.05水准，可认为两总体方差不等，宜以t′检验的结果为准。</b>")
          : std::string("<b>按α=0.05水准，方差齐性假定成立（P≥0.05）。</b>"));
}

}  // namespace

void WriteTwoSampleChecks(html::Page& page, const TwoSampleResult& result,
                          const ReportPictures& pictures) {
  BeginChecks(page);
  if (!result.checks) {
    page.Paragraph(
        "正态性检验、方差齐性的Levene检验与秩和检验需要原始数据：面板中的汇总数字没有各个"
        "观察值，请在列表中输入两组数据后按“计算”。");
    return;
  }
  const TwoSampleChecks& checks = *result.checks;
  // The advice follows the group that fails, else one that could not be
  // tested, else both hold.
  Normality found = Normality::kHolds;
  int advised = 0;
  for (int g = 0; g < 2; ++g) {
    const Normality normality =
        WriteNormality(page, std::string(kGroupNames[g]) + "数据", checks.normality[g]);
    if (normality == Normality::kFails && found != Normality::kFails) {
      found = normality;
      advised = g;
    } else if (normality == Normality::kNotTested && found == Normality::kHolds) {
      found = normality;
      advised = g;
    }
  }
  page.Insert(pictures.checks);
  const std::string what = found == Normality::kHolds ? std::string("两组数据")
                                                      : kGroupNames[advised] + std::string("数据");
  WriteAdvice(page, found, what, checks.normality[advised].n, "t检验", "Wilcoxon秩和检验");
  WriteLevene(page, checks.levene);
}

void WriteRankSum(html::Page& page, const RankSumTest& test, Alpha alpha) {
  Subheading(page, "Wilcoxon秩和检验");
  page.Paragraph("H" + Sub("0") + "：两总体分布相同；H" + Sub("1") + "：两总体分布不同；" +
                 AlphaText(alpha) + "。");
  if (test.failure != NoFigure::kNone && test.failure != NoFigure::kAllValuesEqual) {
    page.Paragraph("两组须各有数据，且都在数的范围内，秩和检验不能进行。");
    return;
  }
  page.Paragraph("将两组数据混合，由小到大统一编秩，数值相同者取平均秩" +
                 (test.ties ? std::string("（本例有相同秩）") : std::string()) + "。");
  if (test.ranks1.size() + test.ranks2.size() <= kMostListedValues) {
    for (int g = 0; g < 2; ++g) {
      const std::vector<double>& ranks = g == 0 ? test.ranks1 : test.ranks2;
      html::Row row{std::string(kGroupNames[g]) + "秩次"};
      for (double rank : ranks) row.push_back(Rank(rank));
      page.Table({row});
    }
  }
  const std::string n1 = NumberText(test.n1), n2 = NumberText(test.n2);
  page.Paragraph("秩和：R" + Sub("1") + " = " + Rank(test.rankSum1) + "（n" + Sub("1") + "=" + n1 +
                 "），R" + Sub("2") + " = " + Rank(test.rankSum2) + "（n" + Sub("2") + "=" + n2 +
                 "）。取例数较小组的秩和T = " + Rank(test.t) + "（第" + NumberText(test.tGroup) +
                 "组）；相应的W = R" + Sub("1") + "−n" + Sub("1") + "(n" + Sub("1") +
                 "+1)/2 = " + Rank(test.w) + "。");
  if (test.failure == NoFigure::kAllValuesEqual || !test.p) {
    page.Paragraph("两组数据全部相同，秩次没有变异，P不能计算。");
    return;
  }
  std::string source;
  if (test.method == RankMethod::kExact) {
    source = "两组例数都小于50且无相同秩，按T的确切分布计算";
  } else {
    const RankNormalFigures& normal = test.normal;
    page.Paragraph(
        "用正态近似法：μ" + Sub("T") + " = n" + Sub("T") + "(N+1)/2 = " + Figure(normal.meanT) +
        "，σ" + Sub("T") + " = √[n" + Sub("1") + "n" + Sub("2") + "(N+1)/12" +
        (test.ties ? "×(1−Σ(t" + Sup("3") + "−t)/(N" + Sup("3") + "−N))" : std::string()) +
        "] = " + Figure(normal.correctedSdT) + "，Z = (|T−μ" + Sub("T") + "|−0.5)/σ" + Sub("T") +
        " = " + Figure(normal.z) + "。");
    source = "按标准正态分布（连续性校正" + std::string(test.ties ? "、相同秩校正" : "") + "）计算";
  }
  WriteConclusion(page, AnswerWithP(test.p, alpha, Finding::kDifference), source, alpha,
                  Finding::kDifference, "两总体分布不同");
}

}  // namespace sumvane::report
