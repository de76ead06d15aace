// The reports of the three analyses of measurement data. Expected figures from
// R 4.2.2: t.test (var.equal TRUE and FALSE) and var.test on data made to the
// panel's means and standard deviations, t.test of paired differences,
// cor.test(1:5, c(2, 4, 5, 4, 5)) and cor.test(1:4, c(10, 8, 7, 3)), qt for
// the critical values, and 2 * pt(-t, ν) of the t as the panel shows it.
#include <gtest/gtest.h>

#include "report/reports.h"
#include "report_test_support.h"

namespace sumvane {
namespace {

constexpr Alpha k5 = Alpha::kFivePercent;
constexpr std::string_view kNoConclusion = "四、确定P值";

TEST(Reports, TwoSample) {
  const std::array<std::string_view, 6> panel{"5.2", "4.1", "1.1", "1.3", "10", "12"};
  CheckReports({
      {"pooled variance 1.474, t 2.116, var.test F 1.3967 P 0.62610",
       TwoSampleReport(TypedTwoSample(panel, k5)),
       {"ν = n_{1}+n_{2}−2 = 10+12−2 = 20", "[(10−1)×1.1^{2}+(12−1)×1.3^{2}]/(10+12−2) = 1.474",
        "√[1.474×(1/10+1/12)] = 0.5198", "|5.2−4.1|/0.5198 = 2.1160", "1.3^{2}/1.1^{2} = 1.397",
        "ν_{1}=11，ν_{2}=9，P=0.6261", "尚不能认为两总体方差不等，用上面的t检验",
        "t_{0.05/2,20}=2.086", "0.02<P<0.05", "P=0.0471", "拒绝H_{0}，接受H_{1}",
        "可认为两总体均数不同", "效应大小及其可信区间",
        "95%可信区间：(0.01563, 2.184)（合并方差）"},
       {"t′"}},
      {"at α = 0.01: qt(0.995, 20) 2.8453",
       TwoSampleReport(TypedTwoSample(panel, Alpha::kOnePercent)),
       {"α=0.01", "t_{0.01/2,20}=2.845", "P=0.0471", "不拒绝H_{0}", "尚不能认为两总体均数不同"}},
      {"variances differ: F 16 P 0.00032, Welch t' 1.5339 ν' 10.121 P 0.15569, interval -0.90045 "
       "to 4.9005, qt(0.975, 10) 2.2281",
       TwoSampleReport(TypedTwoSample({"20", "18", "1", "4", "10", "10"}, k5)),
       {"4^{2}/1^{2} = 16", "P=0.0003", "可认为两总体方差不等，合并方差的t检验不宜使用，改用t′检验",
        "= 1.534", "= 10.12", "表中无ν′=10.12，取ν=10一行", "t_{0.05/2,10}=2.228",
        "t_{0.20/2,10}=1.372 ≤ t′=1.534 < t_{0.10/2,10}=1.812", "0.10<P<0.20",
        "按t分布（ν′=10.12）计算，t′检验P=0.1557", "不拒绝H_{0}", "t_{0.05/2,ν′}",
        "95%可信区间：(-0.9005, 4.9)（t′检验）"},
       {"t_{0.05/2,18}=", "P=0.1424"}},
      {"a negative mean in brackets; 9.3 / 0.51984 = 17.890",
       TwoSampleReport(TypedTwoSample({"5.2", "-4.1", "1.1", "1.3", "10", "12"}, k5)),
       {"|5.2−(-4.1)|/0.5198 = 17.890", "t=17.890 ≥ t_{0.001/2,20}=3.850", "P<0.001", "P<0.0001",
        "拒绝H_{0}"}},
      {"one case in each group",
       TwoSampleReport(TypedTwoSample({"5", "4", "", "", "1", "1"}, k5)),
       {"1+1−2 = （空）", "自由度ν须大于1"},
       {kNoConclusion}},
      {"no second group",
       TwoSampleReport(TypedTwoSample({"5", "4", "1", "1", "10", ""}, k5)),
       {"两组例数都须至少为1"},
       {kNoConclusion}},
      {"no spread",
       TwoSampleReport(TypedTwoSample({"5", "4", "0", "0", "5", "5"}, k5)),
       {"= 0", "标准误为0"},
       {kNoConclusion}},
      {"empty",
       TwoSampleReport(TypedTwoSample({}, k5)),
       {"请输入两组的均数、标准差和例数"},
       {"一、资料"}},
  });
}

// d and g: uniroot over pt(t, ν, ncp) for the noncentrality parameters, J from
// lgamma, as the help of the effect measures gives them.
TEST(Reports, TwoSampleEffects) {
  CheckReports({
      {"d 0.90603, noncentral (0.026898, 4.1577), J 0.96194",
       TwoSampleReport(TypedTwoSample({"5.2", "4.1", "1.1", "1.3", "10", "12"}, k5)),
       {"效应大小及其可信区间", "= 5.2−4.1 = 1.1", "= 1.1 ± t_{0.05/2,20}×0.5198",
        "95%可信区间：(0.01563, 2.184)（合并方差）", "Cohen's d", "= 1.1/1.214 = 0.906", "√1.474",
        "t = d/√(1/n_{1}+1/n_{2}) = 2.116，ν=20", "δ_{L}=0.0269，δ_{U}=4.158",
        "(0.0269, 4.158)×√(1/10+1/12)，95%可信区间：(0.01152, 1.78)（非中心t分布）",
        "Γ(10)/[√10·Γ(9.5)] = 0.9619，g = 0.9619×0.906 = 0.8716",
        "95%可信区间：(0.01108, 1.712)（非中心t分布）"},
       {"t′检验）"}},
      {"t′ answers: both intervals; d -0.22722 to 1.5814, g 0.65694",
       TwoSampleReport(TypedTwoSample({"20", "18", "1", "4", "10", "10"}, k5)),
       {"95%可信区间：(-0.7393, 4.739)（合并方差）", "方差不齐，按t′检验", "ν′=10.12",
        "95%可信区间：(-0.9005, 4.9)（t′检验）", "= 0.686", "95%可信区间：(-0.2272, 1.581)",
        "= 0.6569", "95%可信区间：(-0.2176, 1.514)"}},
      {"the groups swapped: d and g change sign, a negative factor in brackets",
       TwoSampleReport(TypedTwoSample({"4.1", "5.2", "1.3", "1.1", "12", "10"}, k5)),
       {"= -1.1/1.214 = -0.906", "95%可信区间：(-1.78, -0.01152)（非中心t分布）",
        "g = 0.9619×(-0.906) = -0.8716"}},
      {"one case in each group: the difference, nothing more",
       TwoSampleReport(TypedTwoSample({"5", "4", "", "", "1", "1"}, k5)),
       {"自由度ν须大于1", "效应大小及其可信区间", "= 5−4 = 1",
        "均数之差的可信区间不能计算：自由度ν须至少为1", "Cohen's d不能计算"},
       {kNoConclusion}},
  });
}

TEST(Reports, Paired) {
  CheckReports({
      {"t.test: t 2.4705 P 0.035539, interval 0.21086 to 4.7891",
       PairedReport(AnalysePaired(TypedPairs("10", "2.5", "3.2"), k5)),
       {"3.2/√10 = 1.0119", "|2.5|/1.0119 = 2.4705", "ν = n−1 = 10−1 = 9", "t_{0.05/2,9}=2.262",
        "0.02<P<0.05", "P=0.0355", "拒绝H_{0}", "可认为两种处理的效应不同", "μ_{d}的95%可信区间",
        "(0.2109, 4.789)"}},
      {"t 0.6 below the first column: P 0.55746",
       PairedReport(AnalysePaired(TypedPairs("16", "0.3", "2"), k5)),
       {"2/√16 = .5", "|0.3|/.5 = .6", "t_{0.05/2,15}=2.131", "t=.6 < t_{0.50/2,15}=0.691",
        "P>0.50", "P=0.5575", "不拒绝H_{0}", "尚不能认为两种处理的效应不同", "(-0.7657, 1.366)"}},
      {"groups of unequal length",
       PairedReport(AnalysePaired({.unequalGroups = true}, k5)),
       {"两组例数不等"},
       {"一、资料"}},
      {"one pair",
       PairedReport(AnalysePaired(TypedPairs("1", "2", ""), k5)),
       {"对子数n须至少为2"},
       {kNoConclusion}},
      {"equal differences",
       PairedReport(AnalysePaired(TypedPairs("5", "1", "0"), k5)),
       {"0/√5 = 0", "标准误为0"},
       {kNoConclusion}},
      {"empty", PairedReport(AnalysePaired({}, k5)), {"请输入对子数"}, {"一、资料"}},
  });
}

TEST(Reports, Correlation) {
  CheckReports({
      {"cor.test: t 2.1213 P 0.12403, interval -0.34008 to 0.98424, z 1.0317",
       CorrelationReport(AnalyseCorrelation(FromList({1, 2, 3, 4, 5}, {2, 4, 5, 4, 5}), k5)),
       {"Y=2.2 + 0.6X", "|0.77459|/√[(1−0.77459^{2})/(5−2)] = 2.1213", "ν = n−2 = 5−2 = 3",
        "t_{0.05/2,3}=3.182", "0.10<P<0.20", "r_{0.05/2,3}=0.878", "0.10<P<0.20", "P=0.1240",
        "不拒绝H_{0}，相关无统计学意义", "尚不能认为两变量间存在直线相关关系", "ρ的95%可信区间",
        "= 1.032", "(-0.3401, 0.9842)"}},
      {"cor.test: r -0.96476, t 5.1854 P 0.035236, interval -0.99929 to -0.05052",
       CorrelationReport(AnalyseCorrelation(FromList({1, 2, 3, 4}, {10, 8, 7, 3}), k5)),
       {"|(-0.9647)|", "t_{0.05/2,2}=4.303", "0.02<P<0.05", "r_{0.05/2,2}=0.950", "|r|=0.9647",
        "P=0.0352", "拒绝H_{0}", "可认为两变量间存在直线相关关系", "(-0.9993, -0.05052)"}},
      {"typed by hand: t 1, P 0.39100",
       CorrelationReport(AnalyseCorrelation(TypedCorrelation("5", "0.5"), k5)),
       {"手工输入", "P=0.3910"}},
      {"three pairs: no interval",
       CorrelationReport(AnalyseCorrelation(TypedCorrelation("3", "0.5"), k5)),
       {"P=0.6667", "须n>3"}},
      {"no r",
       CorrelationReport(AnalyseCorrelation(TypedCorrelation("3", ""), k5)),
       {"r不能计算"},
       {kNoConclusion}},
      {"perfect",
       CorrelationReport(AnalyseCorrelation(FromList({1, 2, 3}, {3, 2, 1}), k5)),
       {"|r|≥1"},
       {kNoConclusion}},
      {"all x equal: no line, so no residuals to check",
       CorrelationReport(AnalyseCorrelation(FromList({2, 2, 2}, {1, 2, 3}), k5)),
       {"前提条件", "没有回归直线，残差的正态性不能检验"},
       {"没有变异"}},
      {"two pairs",
       CorrelationReport(AnalyseCorrelation(FromList({1, 2}, {1, 2}), k5)),
       {"例数n须大于2"},
       {kNoConclusion}},
      {"groups of unequal length",
       CorrelationReport(AnalyseCorrelation({.unequalGroups = true}, k5)),
       {"两组例数不等"},
       {"一、资料"}},
      {"empty",
       CorrelationReport(AnalyseCorrelation({}, k5)),
       {"请在列表中输入成对的X"},
       {"一、资料"}},
  });
}

}  // namespace
}  // namespace sumvane
