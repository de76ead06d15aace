#include "random_session/clipboard_model.h"

#include <QStringList>
#include <algorithm>
#include <array>

#include "random_session/figures.h"

namespace sumvane::session {

namespace {

using Line = QStringList;  // the cells of a line, blanks around them removed

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

QString Trimmed(const QString& cell) {
  qsizetype first = 0, last = cell.size();
  while (first < last && IsBlank(cell[first])) ++first;
  while (last > first && IsBlank(cell[last - 1])) --last;
  return cell.mid(first, last - first);
}

QStringList SplitLines(const QString& text) {
  QStringList lines;
  QString line;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
      if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
        ++i;
      lines << line;
      line.clear();
    } else {
      line += text[i];
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines;
}

// 0 stands for runs of blanks.
QChar Separator(const QStringList& lines) {
  QChar best;
  qsizetype most = 0;
  for (const QChar candidate : {QLatin1Char('\t'), QLatin1Char(';'), QLatin1Char(',')}) {
    const qsizetype found =
        std::count_if(lines.begin(), lines.begin() + std::min<qsizetype>(lines.size(), 20),
                      [&](const QString& line) { return line.contains(candidate); });
    if (found > most) {
      most = found;
      best = candidate;
    }
  }
  return best;
}

Line Cells(const QString& line, QChar separator) {
  Line cells;
  if (separator.isNull()) {
    for (const QString& cell : line.split(QLatin1Char(' '))
                                   .join(QLatin1Char('\t'))
                                   .split(QLatin1Char('\t'), Qt::SkipEmptyParts)) {
      cells << cell;
    }
    if (cells.isEmpty()) cells << QString();
    return cells;
  }
  for (const QString& cell : line.split(separator)) cells << Trimmed(cell);
  return cells;
}

bool Blank(const Line& line) {
  return std::all_of(line.begin(), line.end(), [](const QString& c) { return c.isEmpty(); });
}

PasteExpectation Refused() { return {}; }

}  // namespace

PasteExpectation ExpectedPaste(const QString& text, const Rows& list, int group) {
  const QStringList texts = SplitLines(text);
  const QChar separator = Separator(texts);
  // The filled lines, each with whether blank lines came before it.
  std::vector<std::pair<Line, bool>> lines;
  bool blanks = false;
  for (const QString& t : texts) {
    Line line = Cells(t, separator);
    if (Blank(line)) {
      blanks = true;
      continue;
    }
    lines.emplace_back(std::move(line), blanks);
    blanks = false;
  }
  if (lines.empty()) return Refused();
  const Line& first = lines.front().first;
  if (lines.size() == 1 && std::count_if(first.begin(), first.end(),
                                         [](const QString& c) { return !c.isEmpty(); }) == 1) {
    PasteExpectation single{PasteExpectation::Kind::kSingleValue, {}, {}};
    single.value =
        *std::find_if(first.begin(), first.end(), [](const QString& c) { return !c.isEmpty(); });
    return single;
  }
  const bool header = std::none_of(first.begin(), first.end(), IsPlainNumber);
  const bool own = header && first == QStringList{QStringLiteral("序号"), QStringLiteral("第1组"),
                                                  QStringLiteral("第2组")};
  std::array<std::vector<QString>, 2> columns;
  std::array<bool, 2> ended = {false, false};
  const qsizetype skip = own ? 1 : 0;
  for (std::size_t l = header ? 1 : 0; l < lines.size(); ++l) {
    const auto& [line, afterBlanks] = lines[l];
    if (afterBlanks && l > 0) ended = {true, true};
    for (qsizetype i = skip; i < line.size(); ++i) {
      const std::size_t column = static_cast<std::size_t>(i - skip);
      if (line[i].isEmpty()) {
        if (column < 2) ended[column] = true;
        continue;
      }
      if (column >= 2 || ended[column] || !IsPlainNumber(line[i])) return Refused();
      columns[column].push_back(line[i]);
    }
    for (qsizetype column = std::max<qsizetype>(line.size() - skip, 0); column < 2; ++column) {
      ended[static_cast<std::size_t>(column)] = true;
    }
  }
  const bool two = own || !columns[1].empty();
  if (columns[0].empty() && columns[1].empty()) return Refused();
  const std::array<int, 2> groups = {two ? 1 : group, 2};
  PasteExpectation pasted{PasteExpectation::Kind::kRows, {}, list};
  for (std::size_t c = 0; c < (two ? 2u : 1u); ++c) {
    const int start = FirstEmptyRow(list, groups[c]);
    const int end = start + static_cast<int>(columns[c].size()) - 1;
    if (end > kMostRows) return Refused();
    for (int row = start; row <= end; ++row) {
      if (row > static_cast<int>(pasted.rows.size())) {
        pasted.rows.push_back({std::to_string(row), {}, {}});
      }
      SampleRow& target = pasted.rows[static_cast<std::size_t>(row - 1)];
      std::string& cell = groups[c] == 1 ? target.group1 : target.group2;
      if (!cell.empty()) return Refused();
      cell = Std(columns[c][static_cast<std::size_t>(row - start)]);
    }
  }
  return pasted;
}

namespace {

bool NeedsQuotes(const std::string& cell) {
  return cell.find_first_of("\t\r\n") != std::string::npos || (!cell.empty() && cell[0] == '"');
}

QString CopyCell(const std::string& cell) {
  if (!NeedsQuotes(cell)) return Qt8(cell);
  QString quoted = Qt8(cell);
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

QString ExpectedCopy(const Rows& list) {
  QString text = QStringLiteral("序号\t第1组\t第2组\n");
  for (const SampleRow& row : list) {
    text += CopyCell(row.label) + QLatin1Char('\t') + CopyCell(row.group1) + QLatin1Char('\t') +
            CopyCell(row.group2) + QLatin1Char('\n');
  }
  return text;
}

bool OutsidePasteModel(const Rows& list) {
  auto outside = [](const std::string& cell) {
    return cell.find_first_of("\"\t\r\n") != std::string::npos;
  };
  return std::any_of(list.begin(), list.end(), [&](const SampleRow& row) {
    return outside(row.label) || outside(row.group1) || outside(row.group2);
  });
}

}  // namespace sumvane::session
