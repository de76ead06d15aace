#include "random_session/figures.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdlib>

#include "random_session/rows_text.h"
#include "stats/number.h"

namespace sumvane::session {

// Read with a pattern and strtod, not with the window's own reading.
bool IsPlainNumber(const QString& text) {
  static const QRegularExpression number(
      QStringLiteral(R"(^[ \t]*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?[ \t]*$)"));
  if (!number.match(text).hasMatch()) return false;
  return std::isfinite(std::strtod(text.trimmed().toLatin1().constData(), nullptr));
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
  if (!std::isfinite(sumvane::ReadNumber(Std(text)))) return QStringLiteral("reads as infinite");
  if (!FigurePattern().match(text).hasMatch()) return QStringLiteral("is not a figure");
  return {};
}

QString EquationProblem(const QString& text) {
  if (text.isEmpty()) return {};
  static const QRegularExpression pattern(QStringLiteral(
      R"(^Y=(-?(?:\d+\.?\d*|\.\d+)(?:E[+-]\d+)?)(?: \+ |(?=-))(-?(?:\d+\.?\d*|\.\d+)(?:E[+-]\d+)?)X$)"));
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
