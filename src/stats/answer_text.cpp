#include "stats/answer_text.h"

#include "stats/number.h"

namespace sumvane {
namespace {

constexpr int kDecimals = 4;

// P cut to four decimals after the point, "0.0470"; none when the cut leaves
// only zeros. NumberText writes P in positional form from 0.0001 up and with an
// exponent below, so its digits are the ones any figure of the window shows.
std::optional<std::string> CutToFourDecimals(double p) {
  const std::string figure = NumberText(p);
  if (figure == "1") return "1." + std::string(kDecimals, '0');
  if (figure.size() < 2 || figure[0] != '.') return std::nullopt;  // 0 or "1E-05"
  std::string decimals = figure.substr(1, kDecimals);
  decimals.resize(kDecimals, '0');
  if (decimals == std::string(kDecimals, '0')) return std::nullopt;
  return "0." + decimals;
}

std::string PFigure(double p) {
  const std::optional<std::string> cut = CutToFourDecimals(p);
  return cut ? "P=" + *cut : "P<0." + std::string(kDecimals - 1, '0') + "1";
}

// A probability; anything else (NaN included) is no P.
bool IsProbability(const std::optional<double>& p) { return p && *p >= 0.0 && *p <= 1.0; }

}  // namespace

double AlphaLevel(Alpha alpha) { return alpha == Alpha::kOnePercent ? 0.01 : 0.05; }

std::string AlphaText(Alpha alpha) { return alpha == Alpha::kOnePercent ? "α=0.01" : "α=0.05"; }

bool IsSignificant(double p, Alpha alpha) {
  return IsProbability(p) && ReadNumber(NumberText(p)) < AlphaLevel(alpha);
}

std::string PText(const std::optional<double>& p) {
  return IsProbability(p) ? PFigure(*p) : std::string();
}

std::string ExactPText(const std::optional<double>& p) {
  return IsProbability(p) ? "确切概率" + PFigure(*p) : std::string();
}

std::string VerdictText(const std::optional<double>& p, Alpha alpha, Finding finding) {
  if (!IsProbability(p)) return {};
  return "按" + AlphaText(alpha) + "水准，" + (finding == Finding::kCorrelation ? "相关" : "差异") +
         (IsSignificant(*p, alpha) ? "有" : "无") + "统计学意义";
}

}  // namespace sumvane
