#include "random_session/random_texts.h"

#include <QList>
#include <QStringList>
#include <iterator>

#include "random_session/file_rows.h"

namespace sumvane::session {

QString RandomTexts::Special() {
  static const QStringList kTexts =
      QString::fromLatin1(
          "0|-0|.5|-.5|1E308|1.7976931348623157E308|-1e309|1D400|4.9E-324|1e-400|"
          "&HFFFFFFFF|&H7FFFFFFF|&O777|&h|&Hz|9999999999|32767|32768|65535|"
          "-32768|1D2|2.5|1.5|0.5|NaN|nan|inf|-Infinity|1.#INF|e5|.|-|+.|1e|1e+|"
          " 1 2 3 |1,5|1.2.3|--5|+-5|0x10|1e-5|123456789012345678|0.000001|-1E-7|"
          "1E15|1E+15|2E-05")
          .split(QLatin1Char('|'));
  return kTexts[Below(kTexts.size())];
}

QString RandomTexts::NumberLike() {
  if (Chance(15)) return Special();
  QString s;
  if (Chance(8)) s += QLatin1Char(' ');
  if (Chance(25)) s += QLatin1Char(Chance(70) ? '-' : '+');
  int whole = Chance(8) ? static_cast<int>(Below(30)) : static_cast<int>(Below(4));
  if (whole == 0 && Chance(60)) whole = 1;
  for (int i = 0; i < whole; ++i) s += Digit();
  if (Chance(35)) {
    s += QLatin1Char('.');
    for (unsigned i = Below(7); i > 0; --i) s += Digit();
  }
  if (Chance(12)) {
    s += QLatin1Char("EeDd"[Below(4)]);
    if (Chance(60)) s += QLatin1Char("+-"[Below(2)]);
    for (unsigned i = 1 + Below(3); i > 0; --i) s += Digit();
  }
  if (Chance(5) && !s.isEmpty()) s.insert(Below(s.size() + 1), QLatin1Char(' '));
  if (Chance(5)) s += Letters(1 + Below(3));
  return s;
}

QString RandomTexts::Letters(unsigned n) {
  static const QString kWords[] = {QStringLiteral("nan"), QStringLiteral("inf"),
                                   QStringLiteral("NaN"), QStringLiteral("Infinity")};
  if (Chance(15)) return kWords[Below(4)];
  QString s;
  for (unsigned i = 0; i < n; ++i) {
    s += QLatin1Char(Chance(50) ? char('a' + Below(26)) : char('A' + Below(26)));
  }
  return s;
}

// Full-width digits and signs, the file's row marker, a combining accent, a
// tab, faces outside the 16-bit plane, private-use characters and CJK
// ideographs.
QString RandomTexts::Wide(unsigned n) {
  static const char32_t kSigns[] = U"\u00B7\u3000\u3002\uFF0D\uFF0E\u0301\t";
  QString s;
  for (unsigned i = 0; i < n; ++i) {
    const unsigned kind = Below(10);
    const char32_t c = kind == 0   ? U'\uFF10' + Below(10)
                       : kind == 1 ? kSigns[Below(std::size(kSigns) - 1)]
                       : kind == 2 ? U'\U0001F600' + Below(64)
                       : kind == 3 ? U'\uE000' + Below(0x800)
                                   : U'\u4E00' + Below(0x51A6);
    s += QString::fromUcs4(&c, 1);
  }
  return s;
}

QString RandomTexts::Punctuation(unsigned n) {
  static const char kSigns[] = ",;:+-./\\&%$#@!?*()[]{}'\"<>=_|~^`";
  QString s;
  for (unsigned i = 0; i < n; ++i) s += QLatin1Char(kSigns[Below(sizeof(kSigns) - 1)]);
  return s;
}

QString RandomTexts::Long() {
  const unsigned length = Chance(70) ? 100 + Below(1900) : 2000 + Below(38000);
  QString s;
  s.reserve(length);
  const unsigned kind = Below(3);
  while (static_cast<unsigned>(s.size()) < length) {
    if (kind == 0) {
      s += Digit();
    } else if (kind == 1) {
      s += NumberLike();
    } else {
      s += Chance(50) ? Wide(1) : Letters(1);
    }
  }
  return s.left(length);
}

QString RandomTexts::AnyText() {
  switch (Below(12)) {
    case 0:
    case 1:
    case 2:
    case 3:
      return NumberLike();
    case 4:
      return Letters(1 + Below(12));
    case 5:
      return Wide(1 + Below(8));
    case 6:
      return QString(Below(6), QLatin1Char(' '));
    case 7:
      return Long();
    case 8:
      return Punctuation(1 + Below(8));
    case 9:
      return Wide(1) + NumberLike() + Wide(1);
    default:
      return AnyText() + AnyText();
  }
}

std::string RandomTexts::Field(unsigned limit) {
  QString s;
  const unsigned length = Below(limit + 1);
  for (unsigned i = 0; i < length; ++i) {
    switch (Below(8)) {
      case 0:
        s += Wide(1);
        break;
      case 1:
        s += Letters(1);
        break;
      case 2:
        s += Punctuation(1);
        break;
      case 3:
        s += QLatin1Char(' ');
        break;
      default:
        s += Digit();
        break;
    }
  }
  // GB18030 encoders disagree on the characters the file cannot carry.
  QList<uint> characters = s.toUcs4();
  characters.removeIf([](uint c) { return GbLosesIt(c); });
  s = QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                        characters.size());
  s = s.trimmed();  // also any tab the wide characters brought
  while (s.toUcs4().size() > static_cast<qsizetype>(limit)) s.chop(1);
  return s.trimmed().toStdString();
}

QString RandomTexts::JunkLine() {
  QString line = Chance(50) ? AnyText() : Letters(1 + Below(20));
  line.remove(QStringLiteral("\u00B7"));
  line.remove(QLatin1Char('\r'));
  line.remove(QLatin1Char('\n'));
  return line.left(200);
}

}  // namespace sumvane::session
