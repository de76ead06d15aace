#include "random_session/figures.h"

#include <QRegularExpression>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "random_session/rows_text.h"

namespace sumvane::session {

// Read with a pattern and strtod, not with the window's own reading.
bool IsPlainNumber(const QString& text) {
  static const QRegularExpression number(
      QStringLiteral(R"(^[ \t]*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?[ \t]*$)"));
  if (!number.match(text).hasMatch()) return false;
  return std::isfinite(std::strtod(text.trimmed().toLatin1().constData(), nullptr));
}

double RowNumberValue(const QString& text) {
  std::string s;
  for (const QChar c : text) {
    if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n')) {
      s += c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '?';
    }
  }
  std::size_t i = 0;
  auto digits = [&](auto isDigit) {
    const std::size_t start = i;
    while (i < s.size() && isDigit(s[i])) ++i;
    return s.substr(start, i - start);
  };
  const auto decimal = [](char c) { return c >= '0' && c <= '9'; };
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    i = 2;
    const bool hex = s[1] == 'H' || s[1] == 'h';
    const std::string whole = digits([&](char c) {
      return hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : c >= '0' && c <= '7';
    });
    std::uint32_t value = 0;
    for (const char c : whole) {
      const int digit = c <= '9' ? c - '0' : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
      value = value * (hex ? 16u : 8u) + static_cast<std::uint32_t>(digit);
    }
    return static_cast<double>(static_cast<std::int32_t>(value));
  }
  std::string number;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
  const std::string whole = digits(decimal);
  std::string fraction;
  if (i < s.size() && s[i] == '.') {
    ++i;
    fraction = digits(decimal);
  }
  if (whole.empty() && fraction.empty()) return 0.0;
  number += (whole.empty() ? "0" : whole) + "." + fraction + "0";
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
    i = j;
    const std::string power = digits(decimal);
    if (!power.empty()) number += exponent + power;
  }
  return std::strtod(number.c_str(), nullptr);
}

int FirstEmptyRow(const std::vector<SampleRow>& rows, int group) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if ((group == 1 ? rows[i].group1 : rows[i].group2).empty()) return static_cast<int>(i) + 1;
  }
  return static_cast<int>(rows.size()) + 1;
}

std::optional<int> OverwritePosition(double target, int count) {
  if (!std::isfinite(target)) return std::nullopt;
  const double below = std::floor(target);
  const double fraction = target - below;
  double whole = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) whole = below + 1;
  if (whole < 1 || whole > count) return std::nullopt;
  return static_cast<int>(whole);
}

namespace {

const QRegularExpression& FigurePattern() {
  static const QRegularExpression pattern(
      QStringLiteral(R"(^-?(?:\d+\.?\d*|\.\d+)(?:E[+-]\d+)?$)"));
  return pattern;
}

}  // namespace

QString FigureProblem(const QString& text) {
  if (text.isEmpty()) return {};
  if (text.contains(QStringLiteral("nan"), Qt::CaseInsensitive) ||
      text.contains(QStringLiteral("inf"), Qt::CaseInsensitive)) {
    return QStringLiteral("holds nan or inf");
  }
  if (!FigurePattern().match(text).hasMatch()) return QStringLiteral("is not a figure");
  if (!std::isfinite(std::strtod(text.toLatin1().constData(), nullptr))) {
    return QStringLiteral("reads as infinite");
  }
  return {};
}

QString EquationProblem(const QString& text) {
  if (text.isEmpty()) return {};
  static const QRegularExpression pattern(QStringLiteral(
      R"(^Y=(-?(?:\d+\.?\d*|\.\d+)(?:E[+-]\d+)?)(?: \+ | - )((?:\d+\.?\d*|\.\d+)(?:E[+-]\d+)?)X$)"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return QStringLiteral("is not an equation");
  for (int i : {1, 2}) {
    if (const QString problem = FigureProblem(match.captured(i)); !problem.isEmpty()) {
      return QStringLiteral("coefficient ") + problem;
    }
  }
  return {};
}

}  // namespace sumvane::session
