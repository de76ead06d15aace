#include "random_session/rows_text.h"

#include <QList>
#include <algorithm>

namespace sumvane::session {

int CodePoints(const std::string& utf8) {
  return static_cast<int>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

bool ValidUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString() == text;
}

QString Shown(const QString& text) {
  QString shown =
      text.size() > 40 ? text.left(24) + QStringLiteral("...(%1 chars)").arg(text.size()) : text;
  QString escaped;
  for (const char32_t c : shown.toUcs4()) {
    const bool plain = (c >= 0x20 && c < 0x7F) || (c >= 0x4E00 && c < 0xA000);
    escaped += plain ? QString::fromUcs4(&c, 1) : QStringLiteral("\\u{%1}").arg(c, 0, 16);
  }
  return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString RowText(const SampleRow& row) {
  return QStringLiteral("[%1|%2|%3]")
      .arg(Shown(Qt8(row.label)), Shown(Qt8(row.group1)), Shown(Qt8(row.group2)));
}

QString RowsDifference(const Rows& actual, const Rows& expected) {
  if (actual == expected) return {};
  if (actual.size() != expected.size()) {
    return QStringLiteral("the list has %1 rows, expected %2")
        .arg(actual.size())
        .arg(expected.size());
  }
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (!(actual[i] == expected[i])) {
      return QStringLiteral("row %1 is %2, expected %3")
          .arg(i + 1)
          .arg(RowText(actual[i]), RowText(expected[i]));
    }
  }
  return {};
}

}  // namespace sumvane::session
