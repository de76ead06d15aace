#include "app/orphan_journal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>

#include "files/file_store.h"

namespace sumvane {
namespace {

void RemoveJournalFiles(const QString& stem) {
  QFile::remove(stem + QStringLiteral(".journal"));
  QFile::remove(stem + QStringLiteral(".journal.new"));
}

}  // namespace

OrphanJournal::OrphanJournal(QString stem, std::unique_ptr<QLockFile> lock, JournalState state)
    : stem_(std::move(stem)), lock_(std::move(lock)), state_(std::move(state)) {}

OrphanJournal::~OrphanJournal() = default;

void OrphanJournal::Remove() { RemoveJournalFiles(stem_); }

std::unique_ptr<OrphanJournal> OrphanJournal::Take(const QString& folder) {
  if (folder.isEmpty()) return nullptr;
  // Newest first: the work most likely the user's last.
  const QFileInfoList files = QDir(folder).entryInfoList(
      {QStringLiteral("*.journal"), QStringLiteral("*.lock")}, QDir::Files, QDir::Time);
  QSet<QString> seen;
  for (const QFileInfo& file : files) {
    const QString stem = folder + QLatin1Char('/') + file.completeBaseName();
    if (seen.contains(stem)) continue;
    seen.insert(stem);
    auto lock = std::make_unique<QLockFile>(stem + QStringLiteral(".lock"));
    // A lock is stale only when its owner is gone, however old it is.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) continue;
    const auto bytes =
        ReadWholeFile(QFile::encodeName(stem + QStringLiteral(".journal")).toStdString());
    JournalReading reading = ReadJournal(bytes ? std::string_view(*bytes) : std::string_view());
    if (reading.state && reading.state->HoldsData()) {
      return std::unique_ptr<OrphanJournal>(
          new OrphanJournal(stem, std::move(lock), std::move(*reading.state)));
    }
    RemoveJournalFiles(stem);
  }
  return nullptr;
}

}  // namespace sumvane
