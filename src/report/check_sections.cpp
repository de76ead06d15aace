#include "report/check_sections.h"

#include <cstddef>
#include <string>

#include "report/steps.h"
#include "stats/answers.h"
#include "stats/four_digit_text.h"
#include "stats/number.h"

namespace sumvane::report {
namespace {

using html::Escape;
using html::Sub;
using html::Sup;

// Up to this many pairs the report lists each difference with its signed rank.
constexpr std::size_t kMostListedPairs = 20;

std::string Count(int n) { return NumberText(n); }

std::string Figure(const std::optional<double>& value) { return FourDigitText(value); }

// A rank or a rank sum: whole or half numbers, written whole.
std::string Rank(double value) { return FormatDecimal(value); }

}  // namespace

void BeginChecks(html::Page& page) { page.Section("前提条件"); }

void Subheading(html::Page& page, std::string_view markup) {
  page.Insert("<h4>" + std::string(markup) + "</h4>");
}

Normality WriteNormality(html::Page& page, std::string_view what, const ShapiroWilkTest& test) {
  const std::string name = std::string(what);
  const std::string lead =
      "正态性检验（Shapiro–Wilk法）：" + name + "共n=" + Count(test.n) + "个，";
  switch (test.failure) {
    case NoFigure::kNone:
      break;
    case NoFigure::kTooFewValues:
      page.Paragraph(lead + "不足3个，不能作Shapiro–Wilk检验。");
      return Normality::kNotTested;
    case NoFigure::kTooManyValues:
      page.Paragraph(lead + "超过5000个，超出Shapiro–Wilk法适用的范围（3≤n≤5000），不作此检验，" +
                     "请据下面的Q–Q图判断：点大致落在直线上即可认为近似正态。");
      return Normality::kNotTested;
    case NoFigure::kAllValuesEqual:
      page.Paragraph(lead + "全部相同，没有变异，不能作Shapiro–Wilk检验。");
      return Normality::kNotTested;
    default:
      page.Paragraph(lead + "含超出数的范围的值，不能作Shapiro–Wilk检验。");
      return Normality::kNotTested;
  }
  if (!test.w || !test.p) {
    page.Paragraph(lead + "W不能计算。");
    return Normality::kNotTested;
  }
  page.Paragraph("正态性检验（Shapiro–Wilk法）：H" + Sub("0") + "：" + name + "服从正态分布，n=" +
                 Count(test.n) + "，W=" + Figure(test.w) + "，" + Escape(PText(test.p)) + "。");
  return *test.p < 0.05 ? Normality::kFails : Normality::kHolds;
}

void WriteNeedsRawData(html::Page& page, std::string_view what) {
  page.Paragraph("正态性检验与秩检验需要原始数据：面板中的汇总数字没有各个" + std::string(what) +
                 "，请在列表中输入两组配对数据后按“计算”。");
}

void WriteAdvice(html::Page& page, Normality normality, std::string_view what, int n,
                 std::string_view test, std::string_view rankTest) {
  const std::string name(what);
  std::string advice;
  switch (normality) {
    case Normality::kHolds:
      advice = "按α=0.05水准，" + name + "的正态性假定成立（P≥0.05），" + std::string(test) +
               "适用，以其结果为准。";
      break;
    case Normality::kFails:
      advice = "按α=0.05水准，" + name + "不服从正态分布（P&lt;0.05），" + std::string(test) +
               "的前提不成立，" +
               (n < kNormalityHintBelow
                    ? "宜改用" + std::string(rankTest) + "（见下文），以秩检验的结果为准。"
                    : "但n≥30时t检验对偏离正态尚稳健，可与" + std::string(rankTest) +
                          "（见下文）的结果对照阅读。");
      break;
    case Normality::kNotTested:
      advice = name + "的正态性未能检验，请结合Q–Q图判断；若明显偏离正态，宜以" +
               std::string(rankTest) + "（见下文）的结果为准。";
      break;
  }
  page.Paragraph("<b>" + advice + "</b>");
}

void WriteSignedRank(html::Page& page, const SignedRankTest& test,
                     std::span<const double> differences, Alpha alpha) {
  Subheading(page, "Wilcoxon符号秩检验");
  page.Paragraph("H" + Sub("0") + "：差值的总体中位数为0；H" + Sub("1") +
                 "：差值的总体中位数不为0；" + AlphaText(alpha) + "。");
  if (test.failure == NoFigure::kAllDifferencesZero) {
    page.Paragraph("各对子的差值全部为0，没有可编秩的差值，检验不能进行。");
    return;
  }
  if (test.failure != NoFigure::kNone) {
    page.Paragraph("没有可用的差值，检验不能进行。");
    return;
  }
  page.Paragraph("求各对子的差值d，舍去d=0的对子" + Count(test.zeros) + "个，余n=" + Count(test.n) +
                 "个；按|d|由小到大编秩，|d|相同者取平均秩" +
                 (test.ties ? std::string("（本例有相同秩）") : std::string()) +
                 "，再给秩次冠以d的正负号。");
  if (differences.size() <= kMostListedPairs && differences.size() == test.signedRanks.size()) {
    html::Row pairs{"对子"}, values{"差值 d"}, ranks{"秩次"};
    for (std::size_t i = 0; i < differences.size(); ++i) {
      pairs.push_back(Count(static_cast<int>(i + 1)));
      values.push_back(Escape(FormatDecimal(differences[i])));
      ranks.push_back(test.signedRanks[i] == 0.0 ? "（舍去）" : Rank(test.signedRanks[i]));
    }
    page.Table({pairs, values, ranks});
  }
  const double n = test.n;
  page.Paragraph("正秩和T" + Sup("+") + " = " + Rank(test.tPlus) + "，负秩和T" + Sup("−") + " = " +
                 Rank(test.tMinus) + "，T" + Sup("+") + "+T" + Sup("−") +
                 " = n(n+1)/2 = " + Rank(n * (n + 1.0) / 2.0) + "。取T = T" + Sup("+") + "。");
  std::string source;
  if (test.method == RankMethod::kExact) {
    source = "n=" + Count(test.n) + "&lt;50，无相同秩，无零差值，按T的确切分布计算";
  } else {
    const RankNormalFigures& normal = test.normal;
    page.Paragraph("用正态近似法：μ" + Sub("T") + " = n(n+1)/4 = " + Figure(normal.meanT) + "，σ" +
                   Sub("T") + " = √[n(n+1)(2n+1)/24" +
                   (test.ties ? " − Σ(t" + Sup("3") + "−t)/48" : std::string()) +
                   "] = " + Figure(normal.correctedSdT) + "，Z = (|T−μ" + Sub("T") + "|−0.5)/σ" +
                   Sub("T") + " = " + Figure(normal.z) + "。");
    source = "按标准正态分布（连续性校正" + std::string(test.ties ? "、相同秩校正" : "") + "）计算";
  }
  WriteConclusion(page, AnswerWithP(test.p, alpha, Finding::kDifference), source, alpha,
                  Finding::kDifference, "两种处理的效应不同");
}

void WriteSpearman(html::Page& page, const SpearmanTest& test, Alpha alpha) {
  Subheading(page, "Spearman秩相关");
  if (test.failure == NoFigure::kTooFewValues) {
    page.Paragraph("对子数不足3，Spearman秩相关不能计算。");
    return;
  }
  if (test.failure != NoFigure::kNone && test.failure != NoFigure::kAllValuesEqual) {
    page.Paragraph("没有可用的成对数据，Spearman秩相关不能计算。");
    return;
  }
  page.Paragraph("H" + Sub("0") + "：ρ" + Sub("s") + "=0；H" + Sub("1") + "：ρ" + Sub("s") +
                 "≠0；" + AlphaText(alpha) +
                 "。将X、Y分别由小到大编秩，相同者取平均秩，d为每对的秩次之差，" + "Σd" + Sup("2") +
                 " = " + Rank(test.sumSquaredRankDifferences) + "。");
  if (test.failure == NoFigure::kAllValuesEqual || !test.rs) {
    page.Paragraph("X或Y的各值全部相同，秩次没有变异，r" + Sub("s") + "不能计算。");
    return;
  }
  const std::string n = Count(test.n);
  if (test.ties) {
    page.Paragraph("有相同秩，r" + Sub("s") + "按秩次的直线相关系数计算：r" + Sub("s") + " = " +
                   Figure(test.rs) + "。");
  } else {
    page.Paragraph("r" + Sub("s") + " = 1 − 6Σd" + Sup("2") + "/(n" + Sup("3") + "−n) = 1 − 6×" +
                   Rank(test.sumSquaredRankDifferences) + "/(" + n + Sup("3") + "−" + n +
                   ") = " + Figure(test.rs) + "。");
  }
  std::string source = "|r" + Sub("s") + "|=1，P=0";
  if (test.t && test.df) {
    page.Paragraph("t = r" + Sub("s") + "√[(n−2)/(1−r" + Sub("s") + Sup("2") +
                   ")] = " + Figure(test.t) + "，ν = n−2 = " + NumberText(*test.df) + "。");
    source = "按t分布（ν=" + NumberText(*test.df) + "）近似计算";
  }
  WriteConclusion(page, AnswerWithP(test.p, alpha, Finding::kCorrelation), source, alpha,
                  Finding::kCorrelation, "两变量间存在等级相关关系");
}

}  // namespace sumvane::report
