// Import, export and help: the list a file leaves, and the export read back.
#include <QAction>
#include <QFile>

#include "random_session/figures.h"
#include "random_session/file_rows.h"
#include "random_session/random_files.h"
#include "random_session/session.h"

namespace sumvane::session {

namespace {

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace

QString Session::NewPath(const QString& stem) {
  static const QString kNames[] = {QStringLiteral("%1-%2.txt"), QStringLiteral("样本 %1 %2.txt"),
                                   QStringLiteral("%1_%2")};
  return dir_.filePath(kNames[random_.Below(std::size(kNames))].arg(stem).arg(++files_));
}

// Opens the file through the window's import and checks the list it leaves.
QString Session::ImportThroughTheWindow(const std::optional<QString>& answer, Outcome outcome,
                                        const Rows& expected, const QString& what) {
  const Rows before = ListRows();
  const int history = history_->index();
  w_.log->files = QStringList{answer.value_or(QString())};
  Note(QStringLiteral("import %1").arg(what));
  Command(QStringLiteral("导入"), Qt::Key_I);
  w_.log->files.clear();
  ++imports_;
  const Rows& after = ListRows();
  if (outcome != Outcome::kAnyRows) {
    const Rows& wanted = outcome == Outcome::kRows ? expected : before;
    if (const QString d = RowsDifference(after, wanted); !d.isEmpty()) {
      return QStringLiteral("after importing %1: %2").arg(what, d);
    }
  }
  for (const SampleRow& row : after) {
    if (!ValidUtf8(row.label) || !ValidUtf8(row.group1) || !ValidUtf8(row.group2)) {
      return QStringLiteral("after importing %1 a row holds broken UTF-8").arg(what);
    }
  }
  if (after != before && w_.form.SelectedRow()) {
    return QStringLiteral("a row stays selected after importing %1").arg(what);
  }
  if (history_->index() != history) return EntryStartedAfresh(QStringLiteral("an import"));
  return {};
}

QString Session::Import() {
  switch (random_.Below(10)) {
    case 0:
      return ImportThroughTheWindow(std::nullopt, Outcome::kUnchanged, {},
                                    QStringLiteral("(cancelled)"));
    case 1: {
      static const QString kUnreadable[] = {QStringLiteral("missing.txt"), QStringLiteral("."),
                                            QString()};
      const QString chosen = kUnreadable[random_.Below(3)];
      const QString path = chosen.isNull() ? QStringLiteral("") : dir_.filePath(chosen);
      return ImportThroughTheWindow(path, Outcome::kUnchanged, {}, Shown(path));
    }
    case 2:
    case 3:
    case 4: {
      // Random bytes replace the list with whatever rows they happen to hold.
      const QString path = NewPath(QStringLiteral("bytes"));
      if (!Write(path, RandomBytes(random_))) return QStringLiteral("cannot write %1").arg(path);
      return ImportThroughTheWindow(path, Outcome::kAnyRows, {}, Shown(path));
    }
    default: {
      auto [bytes, rows] = WellFormedFile(random_);
      const QString path = NewPath(QStringLiteral("rows"));
      if (!Write(path, bytes)) return QStringLiteral("cannot write %1").arg(path);
      // A file without a row line leaves the list as it was.
      return ImportThroughTheWindow(
          path, rows.empty() ? Outcome::kUnchanged : Outcome::kRows, rows,
          QStringLiteral("%1 (%2 rows)").arg(Shown(path)).arg(rows.size()));
    }
  }
}

// A list at its limit, or one row beyond it, which must leave the list alone.
QString Session::ImportAFullList() {
  const bool over = random_.Chance(30);
  auto [bytes, rows] = LongFile(random_, kMostRows + (over ? 1 : 0));
  const QString path = NewPath(over ? QStringLiteral("overfull") : QStringLiteral("full"));
  if (!Write(path, bytes)) return QStringLiteral("cannot write %1").arg(path);
  return ImportThroughTheWindow(
      path, over ? Outcome::kUnchanged : Outcome::kRows, rows,
      QStringLiteral("%1 rows from %2").arg(rows.size()).arg(Shown(path)));
}

QString Session::Export() {
  const Rows before = ListRows();
  const qsizetype messages = w_.log->messages.size();
  const unsigned kind = random_.Below(10);
  std::optional<QString> path;
  if (kind == 0) {
    path = std::nullopt;
  } else if (kind == 1) {
    path = dir_.filePath(QStringLiteral("no such folder/out.txt"));
  } else {
    path = NewPath(QStringLiteral("export"));
  }
  w_.log->files = QStringList{path.value_or(QString())};
  Note(QStringLiteral("export to %1 (%2 rows)")
           .arg(path ? Shown(*path) : QStringLiteral("(cancelled)"))
           .arg(before.size()));
  Command(QStringLiteral("导出"), Qt::Key_K);
  w_.log->files.clear();
  ++exports_;
  if (const QString d = RowsDifference(ListRows(), before); !d.isEmpty()) {
    return QStringLiteral("exporting changed the list: ") + d;
  }
  if (kind == 1 && w_.log->messages.size() == messages) {
    return QStringLiteral("a failed export showed no message");
  }
  if (kind < 2) return {};
  if (w_.log->messages.size() != messages) {
    return QStringLiteral("exporting to %1 failed: %2").arg(Shown(*path), w_.log->messages.last());
  }
  if (!QFile::exists(*path)) return QStringLiteral("the export wrote no file");
  // The exported file, imported again, gives back the same rows, unless a
  // row does not fit the file's columns.
  const bool survives = SurvivesTheFile(before);
  compared_ += survives ? 1 : 0;
  const QString problem =
      ImportThroughTheWindow(*path, survives ? Outcome::kRows : Outcome::kAnyRows, before,
                             QStringLiteral("the export ") + Shown(*path));
  if (problem.isEmpty() && ListRows().size() != before.size()) {
    return QStringLiteral("the export of %1 rows read back as %2 rows")
        .arg(before.size())
        .arg(ListRows().size());
  }
  return problem;
}

QString Session::Help() {
  Note(QStringLiteral("help"));
  w_.Find<QAction>(QStringLiteral("操作说明"))->trigger();
  return {};
}

}  // namespace sumvane::session
