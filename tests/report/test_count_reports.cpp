// The reports of the two analyses of counts. Expected figures from R 4.2.2:
// chisq.test (correct FALSE and TRUE) and fisher.test of the tables,
// mcnemar.test and binom.test(b, b + c) of the paired tables, qchisq for the
// critical values, and pchisq(x, 1, lower.tail = FALSE) of chi-square as the
// panel shows it.
#include <gtest/gtest.h>

#include "report/reports.h"
#include "report_test_support.h"

namespace sumvane {
namespace {

constexpr Alpha k5 = Alpha::kFivePercent;
constexpr std::string_view kNoConclusion = "四、确定P值";

// The table with its margins a + c, b + d, a + b, c + d and total.
FourfoldTableTexts Table(FourfoldCells cells, std::array<std::string_view, 4> margins,
                         std::string_view total) {
  return {cells, margins, total};
}

TEST(Reports, ChiSquare) {
  CheckReports({
      {"chisq.test 5.8333 P 0.015726, fisher.test 0.028950",
       ChiSquareReport({Table({"20", "10", "15", "25"}, {"35", "35", "30", "40"}, "70"),
                        "70",
                        {"15", "15", "20", "20"},
                        "5.8333"},
                       k5),
       {"20 (15)", "10 (15)", "15 (20)", "25 (20)", "括号内为理论数T",
        "T_{a} = (a+b)(a+c)/n = 30×35/70 = 15",
        "所有理论数T≥5（最小理论数T=15），且n≥40，用基本公式",
        "(20×25−10×15)^{2}×70/(30×40×35×35) = 5.8333", "(2−1)(2−1) = 1", "χ²_{0.05,1}=3.84",
        "0.010<P<0.025", "P=0.0157", "拒绝H_{0}", "可认为两组总体率不同", "确切概率P=0.0290"}},
      {"n below 40: fisher.test 0.063358, pchisq(4.6929) 0.030287",
       ChiSquareReport({Table({"12", "5", "4", "9"}, {"16", "14", "17", "13"}, "30"),
                        "30",
                        {"9.0666", "7.9333", "6.9333", "6.0666"},
                        "4.6929"},
                       k5),
       {"n=30 < 40，χ²检验不适用，改用Fisher确切概率法", "= 4.6929", "确切概率P=0.0634",
        "不拒绝H_{0}", "尚不能认为两组总体率不同", "P=0.0303"},
       {"查χ²界值表"}},
      {"smallest T 4: corrected 1.0547 P 0.30445, fisher.test 0.30441",
       ChiSquareReport({Table({"2", "18", "10", "30"}, {"12", "48", "20", "40"}, "60"),
                        "60",
                        {"4", "16", "8", "32"},
                        "1.0546"},
                       k5),
       {"最小理论数T=4 < 5，n≥40，用连续性校正公式",
        "χ²_{c} = (|ad−bc|−n/2)^{2}n/[(a+b)(c+d)(a+c)(b+d)]",
        "(|2×30−18×10|−60/2)^{2}×60/(20×40×12×48) = 1.0546", "0.250<P<0.500", "校正χ²检验P=0.3045",
        "不拒绝H_{0}", "确切概率P=0.3044"}},
      {"T below 1 with n 42: fisher.test 0.48897",
       ChiSquareReport({Table({"0", "20", "2", "20"}, {"2", "40", "20", "22"}, "42"),
                        "42",
                        {".95238", "19.047", "1.0476", "20.952"},
                        ".43073"},
                       k5),
       {"20×2/42 = .95238", "最小理论数T=.95238 < 1，χ²检验不适用", "确切概率P=0.4890"},
       {"n=42 < 40"}},
      {"|ad - bc| below n / 2: chi-square 0, pchisq 1, fisher.test 1",
       ChiSquareReport({Table({"2", "20", "2", "20"}, {"4", "40", "22", "22"}, "44"),
                        "44",
                        {"2", "20", "2", "20"},
                        "0"},
                       k5),
       {"= 0（|ad−bc|小于n/2，校正后取0）", "P>0.995", "P=1.0000", "确切概率P=1.0000"}},
      {"counts not whole, n 50.5 taken as 50: chi-square 7.8761, pchisq(7.8760) 0.0050095",
       ChiSquareReport({Table({"10.5", "20", "15", "5"}, {"25.5", "25", "30.5", "20"}, "50.5"),
                        "50",
                        {"15.555", "15.25", "10.2", "10"},
                        "7.8760"},
                       k5),
       {"频数不全为整数，不能用Fisher确切概率法；所有理论数T≥5（最小理论数T=10），且n≥40",
        "(10.5×5−20×15)^{2}×50/(30.5×20×25.5×25) = 7.8760",
        "χ²_{0.010,1}=6.63 ≤ χ²=7.8760 < χ²_{0.005,1}=7.88", "0.005<P<0.010", "P=0.0050",
        "频数不全为整数"}},
      {"empty row: no chi-square, the exact test answers",
       ChiSquareReport({Table({"0", "0", "30", "40"}, {"30", "40", "0", "70"}, "70"),
                        "70",
                        {"0", "0", "30", "40"},
                        ""},
                       k5),
       {"有一行或一列的合计为0", "确切概率P=1.0000", "不拒绝H_{0}"}},
      {"empty row of fractions",
       ChiSquareReport({Table({"0", "0", "30.5", "40"}, {"30.5", "40", "0", "70.5"}, "70.5"),
                        "70",
                        {"0", "0", "30.5", "40"},
                        ""},
                       k5),
       {"有一行或一列的合计为0"},
       {kNoConclusion}},
      {"negative count",
       ChiSquareReport({Table({"-3", "10", "5", "9"}, {}, "")}, k5),
       {"频数不能为负"},
       {kNoConclusion}},
      {"total beyond 32767",
       ChiSquareReport({Table({"20000", "10000", "10000", "5000"}, {}, "45000")}, k5),
       {"总例数超出范围"},
       {kNoConclusion}},
      {"empty", ChiSquareReport({}, k5), {"请在四格表中输入"}, {"一、资料"}},
  });
}

TEST(Reports, PairedChiSquare) {
  CheckReports({
      {"mcnemar.test 2.0417, P of 2.0416 0.15305, binom.test(8, 24) 0.15159",
       PairedChiSquareReport(
           {Table({"25", "8", "16", "31"}, {"41", "39", "33", "47"}, "80"), "80", "2.0416"}, k5),
       {"治疗后＼治疗前", "B=C，即治疗前与治疗后的总体阳性率相同",
        "治疗前与治疗后结果不一致的对子：b=8，c=16，b+c=24", "b+c=24 < 40，用校正公式",
        "(|8−16|−1)^{2}/(8+16) = 2.0416", "χ²_{0.05,1}=3.84", "0.100<P<0.250", "校正χ²检验P=0.1530",
        "不拒绝H_{0}", "尚不能认为治疗前与治疗后的总体阳性率不同", "确切概率P=0.1516"}},
      {"45 discordant pairs: P of .55555 0.45606, binom.test(20, 45) 0.55148",
       PairedChiSquareReport(
           {Table({"30", "20", "25", "25"}, {"55", "45", "50", "50"}, "100"), "100", ".55555"}, k5),
       {"b+c=45 ≥ 40，用基本公式", "(20−25)^{2}/(20+25) = .55555", "P=0.4561", "确切概率P=0.5515"}},
      {"40 discordant pairs take the basic formula: P 0.11385, binom.test(25, 40) 0.15386",
       PairedChiSquareReport(
           {Table({"50", "25", "15", "10"}, {"65", "35", "75", "25"}, "100"), "100", "2.5"}, k5),
       {"b+c=40 ≥ 40", "= 2.5", "P=0.1138", "确切概率P=0.1539"}},
      {"b = c: chi-square 0, binom.test(3, 6) 1",
       PairedChiSquareReport({Table({"4", "3", "3", "5"}, {"7", "8", "7", "8"}, "15"), "15", "0"},
                             k5),
       {"= 0（|b−c|小于1，校正后取0）", "P>0.995", "P=1.0000", "确切概率P=1.0000"}},
      {"b not whole",
       PairedChiSquareReport(
           {Table({"2", "2.5", "1", "3"}, {"3", "5.5", "4.5", "4"}, "8.5"), "8", ".07142"}, k5),
       {"b、c不全为整数"}},
      {"no discordant pairs",
       PairedChiSquareReport({Table({"7", "0", "0", "9"}, {"7", "9", "7", "9"}, "16"), "16", ""},
                             k5),
       {"b+c=0"},
       {kNoConclusion}},
      {"negative count",
       PairedChiSquareReport({Table({"7", "-1", "0", "9"}, {}, "")}, k5),
       {"频数不能为负"},
       {kNoConclusion}},
      {"empty", PairedChiSquareReport({}, k5), {"请在四格表中输入"}, {"一、资料"}},
  });
}

}  // namespace
}  // namespace sumvane
