#include "random_session/clipboard_texts.h"

#include <QStringList>
#include <iterator>

namespace sumvane::session {

namespace {

// A number as spreadsheets and people write it, without separators.
QString PasteNumber(RandomTexts& random) {
  static const char* const kEdges[] = {"-0", ".5", "5.", "-.25", "1E308", "1e-400", "+7", "1E3"};
  if (random.Chance(10)) return QString::fromLatin1(kEdges[random.Below(std::size(kEdges))]);
  QString s = random.Chance(20) ? QStringLiteral("-") : QString();
  s += QString::number(random.Below(random.Chance(80) ? 100 : 100000));
  if (random.Chance(40)) s += QLatin1Char('.') + QString::number(random.Below(1000));
  return s;
}

// A cell the paste must refuse; none holds a separator.
QString NotANumber(RandomTexts& random) {
  static const char* const kCells[] = {"abc",  "1.2.3", "nan", "inf",   "1e", "--5",
                                       "&H10", "1D2",   "x1",  "1e309", "-",  "."};
  if (random.Chance(15)) return QStringLiteral("\uFF11\uFF12");  // full-width digits
  return QString::fromLatin1(kCells[random.Below(std::size(kCells))]);
}

QString Padded(RandomTexts& random, const QString& cell) {
  return random.Chance(10) ? QStringLiteral(" ") + cell + QStringLiteral(" ") : cell;
}

}  // namespace

QString ClipboardText(RandomTexts& random) {
  static const QString kEnds[] = {QStringLiteral("\r\n"), QStringLiteral("\r"),
                                  QStringLiteral("\n")};
  const QString end = kEnds[random.Below(3)];
  const unsigned kind = random.Below(10);
  if (kind == 0) {  // a single value, perhaps with a line end
    const QString value = random.Chance(80) ? PasteNumber(random) : NotANumber(random);
    return Padded(random, value) + (random.Chance(50) ? end : QString());
  }
  if (kind == 1 && random.Chance(30)) return random.Chance(50) ? QString() : end + end;
  // Columns: one, two (sometimes three), perhaps this program's own layout.
  const bool own = kind == 2;
  const unsigned columns = own ? 2 : 1 + random.Below(2) + (random.Chance(5) ? 1 : 0);
  static const QString kSeparators[] = {QStringLiteral("\t"), QStringLiteral(","),
                                        QStringLiteral(";"), QStringLiteral(" ")};
  const QString separator = own || columns == 1 ? QStringLiteral("\t")
                                                : kSeparators[random.Below(std::size(kSeparators))];
  const bool blanksSeparate = separator == QStringLiteral(" ");
  QStringList lines;
  if (own) {
    lines << QStringLiteral("序号\t第1组\t第2组");
  } else if (random.Chance(30)) {
    lines << (columns == 1
                  ? QStringLiteral("第1组")
                  : QStringList{QStringLiteral("第1组"), QStringLiteral("第2组")}.join(separator));
  }
  const unsigned rows = 1 + random.Below(random.Chance(90) ? 12 : 300);
  for (unsigned r = 0; r < rows; ++r) {
    if (random.Chance(3)) lines << QString();  // a blank line ends every column
    QStringList cells;
    if (own) cells << QString::number(r + 1);
    for (unsigned c = 0; c < columns; ++c) {
      const unsigned what = random.Below(100);
      // Blanks cannot leave a cell empty between two others.
      if (what < 6 && !blanksSeparate) {
        cells << QString();
      } else if (what < 9) {
        cells << NotANumber(random);
      } else {
        cells << Padded(random, PasteNumber(random));
      }
    }
    // A spreadsheet leaves the empty cells at a line's end out.
    while (random.Chance(50) && cells.size() > 1 && cells.last().isEmpty()) cells.removeLast();
    lines << cells.join(separator);
  }
  QString text = lines.join(end);
  if (random.Chance(60)) text += end;
  return text;
}

}  // namespace sumvane::session
