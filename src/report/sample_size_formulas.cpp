#include "report/sample_size_formulas.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "stats/four_digit_text.h"
#include "stats/number.h"
#include "stats/sample_size_power.h"

namespace sumvane::report {
namespace {

using html::Sub;
using html::Sup;

const std::string kSquare = Sup("2");
const std::string kUBeta = "u" + Sub("β");
const std::string kPooledRate = html::Overline("p");
const std::string kPooledRest = html::Overline("q");

std::string UAlpha(const SampleSizeInputs& inputs) {
  return "u" + Sub(inputs.sides == TestSides::kTwoSided ? "α/2" : "α");
}

std::string Bracketed(const std::string& figure) {
  return figure.starts_with('-') ? "(" + figure + ")" : figure;
}

// A result of the engine inside a formula: four significant digits.
std::string Figure(double value) { return Bracketed(FourDigitText(value)); }

// α or β as the table heads its columns: at least two decimals ("0.10").
std::string Probability(double value) {
  std::string text = FormatDecimal(value);
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return text + ".00";
  while (text.size() - point < 3) text += '0';
  return text;
}

std::string Pi(const char* which) { return "π" + Sub(which); }

}  // namespace

std::string Given(double value) { return Bracketed(FormatDecimal(value)); }

std::string SizeText(double n) {
  const bool whole = WholeAtLeast(n) == std::round(n);
  std::string text;
  for (int digits = 2; digits <= 9; ++digits) {
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, n, std::chars_format::fixed, digits);
    text.assign(buffer, written.ptr);
    const std::string_view fraction = std::string_view(text).substr(text.find('.') + 1);
    if (whole || fraction.find_first_not_of('0') != std::string_view::npos) return text;
  }
  return text;
}

std::string TableU(double u) {
  char buffer[32];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, u, std::chars_format::fixed, 3);
  std::string text(buffer, written.ptr);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

std::string AlphaQuantileCell(const SampleSizeInputs& inputs, double u) {
  const std::string half = inputs.sides == TestSides::kTwoSided ? "/2" : "";
  return "u" + Sub(Probability(inputs.alpha) + half) + "=" + TableU(u);
}

std::string BetaQuantileCell(const SampleSizeInputs& inputs, double u) {
  return "u" + Sub(Probability(1.0 - inputs.power)) + "=" + TableU(u);
}

void WriteFormula(html::Page& page, const SampleSizeInputs& inputs) {
  const std::string u = UAlpha(inputs);
  const std::string sum = "(" + u + "+" + kUBeta + ")";
  switch (inputs.design) {
    case StudyDesign::kTwoMeans:
      if (inputs.ratio == 1.0) {
        page.Paragraph("n" + Sub("1") + " = n" + Sub("2") + " = 2[" + sum + "σ/δ]" + kSquare);
      } else {
        page.Paragraph("n" + Sub("1") + " = (1+1/k)[" + sum + "σ/δ]" + kSquare + "，n" + Sub("2") +
                       " = k·n" + Sub("1"));
      }
      page.Paragraph("n" + Sub("1") + "、n" + Sub("2") +
                     "为两组的例数，δ为两总体均数之差，σ为总体标准差，k = n" + Sub("2") + "/n" +
                     Sub("1") + "。");
      return;
    case StudyDesign::kPairedMeans:
      page.Paragraph("n = [" + sum + "σ" + Sub("d") + "/δ]" + kSquare);
      page.Paragraph("n为对子数，δ为差值的总体均数，σ" + Sub("d") + "为差值的标准差。");
      return;
    case StudyDesign::kTwoRates:
      page.Paragraph("n = [" + u + "√(2" + kPooledRate + kPooledRest + ") + " + kUBeta + "√(" +
                     Pi("1") + "q" + Sub("1") + "+" + Pi("2") + "q" + Sub("2") + ")]" + kSquare +
                     "/(" + Pi("1") + "−" + Pi("2") + ")" + kSquare);
      page.Paragraph("n为每组例数，" + Pi("1") + "、" + Pi("2") + "为两总体率，q = 1−π，" +
                     kPooledRate + " = (" + Pi("1") + "+" + Pi("2") + ")/2，" + kPooledRest +
                     " = 1−" + kPooledRate + "。");
      return;
    case StudyDesign::kPairedRates:
      page.Paragraph("n = [" + u + "√" + Pi("d") + " + " + kUBeta + "√(" + Pi("d") + "−δ" +
                     kSquare + ")]" + kSquare + "/δ" + kSquare + "（McNemar检验，Connor 1987）");
      page.Paragraph("n为对子数，" + Pi("12") + "、" + Pi("21") +
                     "为两种结果不一致的对子所占比例，" + Pi("d") + " = " + Pi("12") + "+" +
                     Pi("21") + "，δ = " + Pi("12") + "−" + Pi("21") + "。");
      return;
    case StudyDesign::kCorrelation:
      break;
  }
  page.Paragraph("n = [" + sum + "/C]" + kSquare + " + 3，C = ½ln[(1+ρ)/(1−ρ)]（Fisher z变换）");
  page.Paragraph("n为例数，ρ为总体相关系数。");
}

void WriteSubstitution(html::Page& page, const SampleSizeInputs& inputs,
                       const FormulaSize& formula) {
  const std::string sum =
      "(" + TableU(formula.uAlpha) + "+" + Bracketed(TableU(formula.uBeta)) + ")";
  const std::string n = " = " + SizeText(formula.n);
  switch (inputs.design) {
    case StudyDesign::kTwoMeans: {
      const std::string bracket =
          "[" + sum + "×" + Given(inputs.sigma) + "/" + Given(inputs.delta) + "]" + kSquare;
      if (inputs.ratio == 1.0) {
        page.Paragraph("n = 2×" + bracket + n);
        return;
      }
      page.Paragraph("n" + Sub("1") + " = (1+1/" + Given(inputs.ratio) + ")×" + bracket + n);
      page.Paragraph("n" + Sub("2") + " = k·n" + Sub("1") + " = " + Given(inputs.ratio) + "×" +
                     SizeText(formula.n) + " = " + SizeText(inputs.ratio * formula.n));
      return;
    }
    case StudyDesign::kPairedMeans:
      page.Paragraph("n = [" + sum + "×" + Given(inputs.sigma) + "/" + Given(inputs.delta) + "]" +
                     kSquare + n);
      return;
    case StudyDesign::kTwoRates: {
      const std::string pooled = Figure(formula.pooledRate);
      const std::string rest = Figure(1.0 - formula.pooledRate);
      page.Paragraph(kPooledRate + " = (" + Given(inputs.p1) + "+" + Given(inputs.p2) +
                     ")/2 = " + pooled + "，" + kPooledRest + " = 1−" + pooled + " = " + rest);
      page.Paragraph("n = [" + TableU(formula.uAlpha) + "×√(2×" + pooled + "×" + rest + ") + " +
                     Bracketed(TableU(formula.uBeta)) + "×√(" + Given(inputs.p1) + "×" +
                     Figure(1.0 - inputs.p1) + "+" + Given(inputs.p2) + "×" +
                     Figure(1.0 - inputs.p2) + ")]" + kSquare + "/(" + Given(inputs.p1) + "−" +
                     Given(inputs.p2) + ")" + kSquare + n);
      return;
    }
    case StudyDesign::kPairedRates: {
      const std::string discordant = Figure(formula.discordant);
      const std::string difference = Figure(formula.discordantDifference);
      page.Paragraph(Pi("d") + " = " + Given(inputs.p1) + "+" + Given(inputs.p2) + " = " +
                     discordant + "，δ = " + Given(inputs.p1) + "−" + Given(inputs.p2) + " = " +
                     FourDigitText(formula.discordantDifference));
      page.Paragraph("n = [" + TableU(formula.uAlpha) + "×√" + discordant + " + " +
                     Bracketed(TableU(formula.uBeta)) + "×√(" + discordant + "−" + difference +
                     kSquare + ")]" + kSquare + "/" + difference + kSquare + n);
      return;
    }
    case StudyDesign::kCorrelation:
      break;
  }
  page.Paragraph("C = ½ln[(1+" + Given(inputs.rho) + ")/(1−" + Given(inputs.rho) +
                 ")] = " + FourDigitText(formula.fisherZ));
  page.Paragraph("n = [" + sum + "/" + Figure(formula.fisherZ) + "]" + kSquare + "+3" + n);
}

void WritePowerSubstitution(html::Page& page, const SampleSizeInputs& inputs,
                            const FormulaSize& formula, const PowerAtSize& at) {
  const std::string u = UAlpha(inputs);
  const std::string uFigure = TableU(formula.uAlpha);
  const std::string n = NumberText(at.n1);
  const std::string result = " = " + FourDigitText(at.uBeta);
  switch (inputs.design) {
    case StudyDesign::kTwoMeans:
      page.Paragraph(kUBeta + " = |δ|/[σ√(1/n" + Sub("1") + "+1/n" + Sub("2") + ")] − " + u +
                     " = |" + Given(inputs.delta) + "|/[" + Given(inputs.sigma) + "×√(1/" + n +
                     "+1/" + NumberText(at.n2) + ")] − " + uFigure + result);
      return;
    case StudyDesign::kPairedMeans:
      page.Paragraph(kUBeta + " = |δ|√n/σ" + Sub("d") + " − " + u + " = |" + Given(inputs.delta) +
                     "|×√" + n + "/" + Given(inputs.sigma) + " − " + uFigure + result);
      return;
    case StudyDesign::kTwoRates: {
      const std::string pooled = Figure(formula.pooledRate);
      page.Paragraph(kUBeta + " = [√n·|" + Pi("1") + "−" + Pi("2") + "| − " + u + "√(2" +
                     kPooledRate + kPooledRest + ")]/√(" + Pi("1") + "q" + Sub("1") + "+" +
                     Pi("2") + "q" + Sub("2") + ") = [√" + n + "×|" + Given(inputs.p1) + "−" +
                     Given(inputs.p2) + "| − " + uFigure + "×√(2×" + pooled + "×" +
                     Figure(1.0 - formula.pooledRate) + ")]/√(" + Given(inputs.p1) + "×" +
                     Figure(1.0 - inputs.p1) + "+" + Given(inputs.p2) + "×" +
                     Figure(1.0 - inputs.p2) + ")" + result);
      return;
    }
    case StudyDesign::kPairedRates: {
      const std::string discordant = Figure(formula.discordant);
      const std::string difference = Figure(formula.discordantDifference);
      page.Paragraph(kUBeta + " = [√n·|δ| − " + u + "√" + Pi("d") + "]/√(" + Pi("d") + "−δ" +
                     kSquare + ") = [√" + n + "×|" + difference + "| − " + uFigure + "×√" +
                     discordant + "]/√(" + discordant + "−" + difference + kSquare + ")" + result);
      return;
    }
    case StudyDesign::kCorrelation:
      break;
  }
  page.Paragraph(kUBeta + " = |C|√(n−3) − " + u + " = |" + Figure(formula.fisherZ) + "|×√(" + n +
                 "−3) − " + uFigure + result);
}

}  // namespace sumvane::report
