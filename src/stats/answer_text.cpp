#include "stats/answer_text.h"

#include <charconv>

#include "stats/number.h"

namespace sumvane {
namespace {

constexpr int kDecimals = 4;

// The decimals after the point of P in [0, 1] read to 15 significant digits,
// trailing zeros dropped: "0470839769195177" for 0.04708397691951768, "" for 0;
// none when P reads as 1.
std::optional<std::string> FifteenDigitDecimals(double p) {
  if (p == 0.0) return std::string();
  // to_chars rounds the exact binary value and ignores the locale, as
  // NumberText does.
  char text[32];
  const auto written =
      std::to_chars(text, text + sizeof text, p, std::chars_format::scientific, 14);
  const std::string_view scientific(text, static_cast<std::size_t>(written.ptr - text));
  const std::size_t e = scientific.find('e');
  int exponent = 0;
  const std::string_view exponentText = scientific.substr(e + 1);
  std::from_chars(exponentText.data() + (exponentText[0] == '+' ? 1 : 0),
                  exponentText.data() + exponentText.size(), exponent);
  if (exponent >= 0) return std::nullopt;
  std::string decimals(static_cast<std::size_t>(-exponent - 1), '0');
  for (char c : scientific.substr(0, e)) {
    if (c != '.') decimals += c;
  }
  while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
  return decimals;
}

// "0.0471" or "1.0000": the decimals rounded half up to `places`.
std::string RoundedHalfUp(const std::optional<std::string>& decimals, int places) {
  const auto count = static_cast<std::size_t>(places);
  if (!decimals) return "1." + std::string(count, '0');
  std::string kept = decimals->substr(0, count);
  kept.resize(count, '0');
  if (decimals->size() > count && (*decimals)[count] >= '5') {
    std::size_t i = count;
    while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
    if (i == 0) return "1." + std::string(count, '0');
    ++kept[i - 1];
  }
  return "0." + kept;
}

bool ReadsAsALevel(const std::string& figure) {
  const double value = ReadNumber(figure);
  return value == AlphaLevel(Alpha::kFivePercent) || value == AlphaLevel(Alpha::kOnePercent);
}

std::string PFigure(double p) {
  const std::optional<std::string> decimals = FifteenDigitDecimals(p);
  const std::string figure = RoundedHalfUp(decimals, kDecimals);
  if (ReadNumber(figure) == 0.0) return "P<0." + std::string(kDecimals - 1, '0') + "1";
  // Rounded onto a level, P would seem to be neither below nor above it. P
  // exactly at a level keeps four decimals.
  if (ReadsAsALevel(figure) && decimals) {
    for (int places = kDecimals + 1; places <= static_cast<int>(decimals->size()); ++places) {
      const std::string closer = RoundedHalfUp(decimals, places);
      if (!ReadsAsALevel(closer)) return "P=" + closer;
    }
  }
  return "P=" + figure;
}

std::string_view SourceName(PSource source) {
  switch (source) {
    case PSource::kWelch:
      return "t′检验";
    case PSource::kCorrectedChiSquare:
      return "校正χ²检验";
    case PSource::kExact:
      return "确切概率";
    case PSource::kStatistic:
      break;
  }
  return "";
}

// A probability; anything else (NaN included) is no P.
bool IsProbability(const std::optional<double>& p) { return p && *p >= 0.0 && *p <= 1.0; }

}  // namespace

double AlphaLevel(Alpha alpha) { return alpha == Alpha::kOnePercent ? 0.01 : 0.05; }

std::string AlphaText(Alpha alpha) { return alpha == Alpha::kOnePercent ? "α=0.01" : "α=0.05"; }

bool IsSignificant(double p, Alpha alpha) {
  return IsProbability(p) && ReadNumber(NumberText(p)) < AlphaLevel(alpha);
}

std::string PText(const std::optional<double>& p, PSource source) {
  return IsProbability(p) ? std::string(SourceName(source)) + PFigure(*p) : std::string();
}

std::string VerdictText(const std::optional<double>& p, Alpha alpha, Finding finding) {
  if (!IsProbability(p)) return {};
  return "按" + AlphaText(alpha) + "水准，" + (finding == Finding::kCorrelation ? "相关" : "差异") +
         (IsSignificant(*p, alpha) ? "有" : "无") + "统计学意义";
}

}  // namespace sumvane
