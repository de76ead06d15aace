#include "random_session/random_files.h"

#include <QStringEncoder>
#include <algorithm>

namespace sumvane::session {

std::pair<QByteArray, Rows> WellFormedFile(RandomTexts& random) {
  Rows rows(random.Below(random.Chance(80) ? 30 : 400));
  QString text;
  static const QString kEnds[] = {QStringLiteral("\r\n"), QStringLiteral("\n"),
                                  QStringLiteral("\r")};
  const QString usualEnd = kEnds[random.Below(3)];
  auto end = [&] { return random.Chance(90) ? usualEnd : kEnds[random.Below(3)]; };
  for (SampleRow& row : rows) {
    if (random.Chance(10)) text += random.JunkLine() + end();
    row = {random.Field(9), random.Field(16), random.Field(30)};
    auto padded = [](const std::string& field, int width) {
      return Qt8(field) + QString(std::max(0, width - CodePoints(field)), QLatin1Char(' '));
    };
    text +=
        QStringLiteral("\u00B7") + padded(row.label, 9) + padded(row.group1, 16) + Qt8(row.group2);
    if (random.Chance(10)) text += QString(random.Below(4), QLatin1Char(' '));
    text += end();
  }
  text += QStringLiteral("\r\n");
  static QStringEncoder gb18030("GB18030");
  if (!rows.empty() && gb18030.isValid() && random.Chance(40)) {
    QByteArray bytes = gb18030.encode(text);
    if (!gb18030.hasError()) return {bytes, rows};
    gb18030.resetState();
  }
  QByteArray bytes = text.toUtf8();
  if (random.Chance(20)) bytes.prepend("\xEF\xBB\xBF");
  return {bytes, rows};
}

std::pair<QByteArray, Rows> LongFile(RandomTexts& random, int count) {
  Rows rows(static_cast<std::size_t>(count));
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(rows.size()) * 40);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i] = {std::to_string(i + 1), std::to_string(random.Below(1000)),
               random.Chance(50) ? std::string() : std::to_string(random.Below(100))};
    QByteArray line = QByteArray("\xC2\xB7") + QByteArray::fromStdString(rows[i].label);
    line += QByteArray(10 - line.size() + 1, ' ');  // the marker takes two bytes, one character
    line += QByteArray::fromStdString(rows[i].group1);
    line += QByteArray(27 - line.size() + 1, ' ');
    bytes += line + QByteArray::fromStdString(rows[i].group2) + "\r\n";
  }
  return {bytes, rows};
}

QByteArray RandomBytes(RandomTexts& random) {
  QByteArray bytes;
  const unsigned length = random.Below(random.Chance(90) ? 600 : 6000);
  for (unsigned i = 0; i < length; ++i) {
    const unsigned kind = random.Below(20);
    if (kind < 6) {
      bytes += static_cast<char>(0x20 + random.Below(0x5F));
    } else if (kind < 8) {
      bytes += ' ';
    } else if (kind < 10) {
      bytes += "\r\n"[random.Below(2)];
    } else if (kind < 12) {
      bytes += random.Chance(50) ? QByteArray("\xC2\xB7") : QByteArray("\xA1\xA4");
    } else {
      bytes += static_cast<char>(random.Below(256));
    }
  }
  return bytes;
}

}  // namespace sumvane::session
