// The reports of the two analyses of counts. Expected figures from R 4.2.2:
// chisq.test (correct FALSE and TRUE) and fisher.test of the tables,
// mcnemar.test and binom.test(b, b + c) of the paired tables, qchisq for the
// critical values, and pchisq(x, 1, lower.tail = FALSE) of chi-square. The
// effect measures: fisher.test's $estimate and $conf.int (its limits found
// again with uniroot(tol = 1e-13), since fisher.test's own tolerance leaves
// 35.08 for 35.09), prop.test(correct = FALSE)'s Wilson intervals,
// binom.test's, and the formulas evaluated in R.
#include <gtest/gtest.h>

#include "report/reports.h"
#include "report_test_support.h"

namespace sumvane {
namespace {

constexpr Alpha k5 = Alpha::kFivePercent;
constexpr std::string_view kNoConclusion = "四、确定P值";

ChiSquareResult ChiSquare(const FourfoldCells& cells) {
  return AnalyseChiSquare(TableOf(cells), std::nullopt, k5);
}

PairedChiSquareResult Paired(const FourfoldCells& cells) {
  return AnalysePairedChiSquare(TableOf(cells), k5);
}

TEST(Reports, ChiSquare) {
  CheckReports({
      {"chisq.test 5.8333 P 0.015726, fisher.test 0.028950",
       ChiSquareReport(ChiSquare({"20", "10", "15", "25"})),
       {"20 (15)", "10 (15)", "15 (20)", "25 (20)", "括号内为理论数T",
        "T_{a} = (a+b)(a+c)/n = 30×35/70 = 15",
        "所有理论数T≥5（最小理论数T=15），且n≥40，用基本公式",
        "(20×25−10×15)^{2}×70/(30×40×35×35) = 5.8333", "(2−1)(2−1) = 1", "χ²_{0.05,1}=3.84",
        "0.010<P<0.025", "P=0.0157", "拒绝H_{0}", "可认为两组总体率不同", "确切概率P=0.0290"}},
      {"n below 40: fisher.test 0.063358, pchisq(4.6929) 0.030287",
       ChiSquareReport(ChiSquare({"12", "5", "4", "9"})),
       {"n=30 < 40，χ²检验不适用，改用Fisher确切概率法", "= 4.6929", "确切概率P=0.0634",
        "不拒绝H_{0}", "尚不能认为两组总体率不同", "P=0.0303"},
       {"查χ²界值表"}},
      {"smallest T 4: corrected 1.0546875 P 0.30443, fisher.test 0.30441",
       ChiSquareReport(ChiSquare({"2", "18", "10", "30"})),
       {"最小理论数T=4 < 5，n≥40，用连续性校正公式",
        "χ²_{c} = (|ad−bc|−n/2)^{2}n/[(a+b)(c+d)(a+c)(b+d)]",
        "(|2×30−18×10|−60/2)^{2}×60/(20×40×12×48) = 1.0546", "0.250<P<0.500", "校正χ²检验P=0.3044",
        "不拒绝H_{0}", "确切概率P=0.3044"}},
      {"T below 1 with n 42: fisher.test 0.48897",
       ChiSquareReport(ChiSquare({"0", "20", "2", "20"})),
       {"20×2/42 = .95238", "最小理论数T=.95238 < 1，χ²检验不适用", "确切概率P=0.4890"},
       {"n=42 < 40"}},
      {"|ad - bc| below n / 2: chi-square 0, pchisq 1, fisher.test 1",
       ChiSquareReport(ChiSquare({"2", "20", "2", "20"})),
       {"= 0（|ad−bc|小于n/2，校正后取0）", "P>0.995", "P=1.0000", "确切概率P=1.0000"}},
      {"counts not whole, n 50.5 taken as 50: chi-square 7.8761, pchisq(7.8760) 0.0050095",
       ChiSquareReport(ChiSquare({"10.5", "20", "15", "5"})),
       {"频数不全为整数，不能用Fisher确切概率法；所有理论数T≥5（最小理论数T=10），且n≥40",
        "(10.5×5−20×15)^{2}×50/(30.5×20×25.5×25) = 7.8760",
        "χ²_{0.010,1}=6.63 ≤ χ²=7.8760 < χ²_{0.005,1}=7.88", "0.005<P<0.010", "P=0.0050",
        "频数不全为整数"}},
      {"empty row: no chi-square, the exact test answers",
       ChiSquareReport(ChiSquare({"0", "0", "30", "40"})),
       {"有一行或一列的合计为0", "确切概率P=1.0000", "不拒绝H_{0}"}},
      {"empty row of fractions",
       ChiSquareReport(ChiSquare({"0", "0", "30.5", "40"})),
       {"有一行或一列的合计为0"},
       {kNoConclusion}},
      {"negative count",
       ChiSquareReport(ChiSquare({"-3", "10", "5", "9"})),
       {"频数不能为负"},
       {kNoConclusion}},
      {"total beyond 32767",
       ChiSquareReport(ChiSquare({"20000", "10000", "10000", "5000"})),
       {"总例数超出范围"},
       {kNoConclusion}},
      {"empty", ChiSquareReport(ChiSquare({})), {"请在四格表中输入"}, {"一、资料"}},
  });
}

TEST(Reports, PairedChiSquare) {
  CheckReports({
      {"mcnemar.test 2.0417, P of 2.0416 0.15305, binom.test(8, 24) 0.15159",
       PairedChiSquareReport(Paired({"25", "8", "16", "31"})),
       {"治疗后＼治疗前", "B=C，即治疗前与治疗后的总体阳性率相同",
        "治疗前与治疗后结果不一致的对子：b=8，c=16，b+c=24", "b+c=24 < 40，用校正公式",
        "(|8−16|−1)^{2}/(8+16) = 2.0416", "χ²_{0.05,1}=3.84", "0.100<P<0.250", "校正χ²检验P=0.1530",
        "不拒绝H_{0}", "尚不能认为治疗前与治疗后的总体阳性率不同", "确切概率P=0.1516"}},
      {"45 discordant pairs: P of .55555 0.45606, binom.test(20, 45) 0.55148",
       PairedChiSquareReport(Paired({"30", "20", "25", "25"})),
       {"b+c=45 ≥ 40，用基本公式", "(20−25)^{2}/(20+25) = .55555", "P=0.4561", "确切概率P=0.5515"}},
      {"40 discordant pairs take the basic formula: P 0.11385, binom.test(25, 40) 0.15386",
       PairedChiSquareReport(Paired({"50", "25", "15", "10"})),
       {"b+c=40 ≥ 40", "= 2.5", "P=0.1138", "确切概率P=0.1539"}},
      {"b = c: chi-square 0, binom.test(3, 6) 1",
       PairedChiSquareReport(Paired({"4", "3", "3", "5"})),
       {"= 0（|b−c|小于1，校正后取0）", "P>0.995", "P=1.0000", "确切概率P=1.0000"}},
      {"b not whole", PairedChiSquareReport(Paired({"2", "2.5", "1", "3"})), {"b、c不全为整数"}},
      {"no discordant pairs",
       PairedChiSquareReport(Paired({"7", "0", "0", "9"})),
       {"b+c=0"},
       {kNoConclusion}},
      {"negative count",
       PairedChiSquareReport(Paired({"7", "-1", "0", "9"})),
       {"频数不能为负"},
       {kNoConclusion}},
      {"empty", PairedChiSquareReport(Paired({})), {"请在四格表中输入"}, {"一、资料"}},
  });
}

constexpr std::string_view kEffects = "效应大小及其可信区间";

TEST(Reports, FourfoldEffects) {
  CheckReports({
      {"12, 5 / 4, 9: the exact test answers, so the exact OR stands beside Woolf's",
       ChiSquareReport(ChiSquare({"12", "5", "4", "9"})),
       {"五、补充说明", kEffects, "OR = ad/(bc) = 12×9/(5×4) = 5.4", "√(1/12+1/5+1/4+1/9) = 0.8028",
        "exp(ln5.4 ± 1.96×0.8028)，95%可信区间：(1.12, 26.04)（Woolf法）",
        "OR = 5.069，95%可信区间：(0.8958, 35.09)（精确法）", "(12/17)/(4/13) = 2.294",
        "√(1/12−1/17+1/4−1/13) = 0.4445", "95%可信区间：(0.96, 5.483)（Katz法）",
        "p_{1} = a/(a+b) = 12/17 = 0.7059", "RD = p_{1}−p_{2} = 0.7059−0.3077 = 0.3982",
        "0.3982 ± 1.96×0.1691，95%可信区间：(0.06674, 0.7296)（正态近似法）", "(0.4687, 0.8672)",
        "(0.1268, 0.5763)", "95%可信区间：(0.03983, 0.6406)（Newcombe法）",
        "NNT = 1/|RD| = 1/|0.3982| = 2.511，向上取整为3",
        "95%可信区间：(1.561, 25.11)（Newcombe法）"},
       {"Haldane", "无穷大"}},
      {"a zero cell: 0.5 added for OR and RR; the exact OR is 0; RD's interval holds 0",
       ChiSquareReport(ChiSquare({"0", "20", "2", "20"})),
       {kEffects, "Haldane–Anscombe校正）：a=0.5，b=20.5，c=2.5，d=20.5",
        "OR = ad/(bc) = 0.5×20.5/(20.5×2.5) = 0.2", "95%可信区间：(0.009033, 4.428)（Woolf法）",
        "OR = 0，95%可信区间：(0, 5.825)（精确法）", "(0.5/21)/(2.5/23) = 0.219",
        "95%可信区间：(0.01115, 4.305)（Katz法）", "p_{1} = a/(a+b) = 0/20 = 0",
        "RD = p_{1}−p_{2} = 0−0.09091 = -0.09091", "95%可信区间：(-0.211, 0.02922)（正态近似法）",
        "95%可信区间：(-0.2781, 0.08306)（Newcombe法）", "向上取整为11",
        "RD的95%可信区间(-0.2781, 0.08306)包含0",
        "95%可信区间：NNTB 3.595 至 无穷大 至 NNTH 12.04"}},
      {"b = 0: the exact OR has no estimate and no upper limit",
       ChiSquareReport(ChiSquare({"5", "0", "2", "6"})),
       {"OR = 无上界，不能给出点估计（b或c为0），95%可信区间：(1.211, 无上限)（精确法）"}},
      {"the chi-square answers: no exact OR",
       ChiSquareReport(ChiSquare({"2", "18", "10", "30"})),
       {kEffects, "95%可信区间：(0.06552, 1.696)（Woolf法）", "NNTB 3.143 至 无穷大 至 NNTH 12.78"},
       {"精确法"}},
      {"an empty row: no ratio, no rate",
       ChiSquareReport(ChiSquare({"0", "0", "30", "40"})),
       {kEffects, "OR不能计算：有一行的合计为0", "RR不能计算", "RD不能计算", "NNT不能计算"}},
      {"negative count: no effects",
       ChiSquareReport(ChiSquare({"-3", "10", "5", "9"})),
       {},
       {kEffects}},
  });
}

TEST(Reports, PairedTableEffects) {
  CheckReports({
      {"25, 8 / 16, 31: binom.test(8, 24)",
       PairedChiSquareReport(Paired({"25", "8", "16", "31"})),
       {kEffects, "OR = b/c = 8/16 = 0.5", "(p_{L}, p_{U}) = (0.1563, 0.5532)",
        "95%可信区间：(0.1853, 1.238)（精确法）", "治疗后阳性率 = (a+b)/n = 33/80 = 0.4125",
        "治疗前阳性率 = (a+c)/n = 41/80 = 0.5125", "(b−c)/n = (8−16)/80 = -0.1",
        "√[(8+16)−(8−16)^{2}/80]/80 = 0.06021", "95%可信区间：(-0.218, 0.01801)（正态近似法）"}},
      {"c = 0: binom.test(5, 5), the OR and its interval open above",
       PairedChiSquareReport(Paired({"7", "5", "0", "9"})),
       {"OR = b/c = 5/0，无上界，不能给出点估计（c=0）", "95%可信区间：(0.9164, 无上限)（精确法）",
        "= 0.2381", "= 0.09294"}},
      {"no discordant pairs: the report says why past the test's stop",
       PairedChiSquareReport(Paired({"7", "0", "0", "9"})),
       {"b+c=0", kEffects, "配对OR不能计算：b=c=0", "(0−0)/16 = 0", "阳性率之差的可信区间不能计算"},
       {kNoConclusion}},
      {"b not whole",
       PairedChiSquareReport(Paired({"2", "2.5", "1", "3"})),
       {"配对OR的精确法不能计算：b、c不全为整数", "(2.5−1)/8.5"}},
  });
}

}  // namespace
}  // namespace sumvane
