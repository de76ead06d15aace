#include "app/recovery_recorder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <span>

#include "app/fourfold_table.h"
#include "app/sample_list_model.h"
#include "files/recovery_journal.h"

namespace sumvane {

QString RecoveryFolder() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return data.isEmpty() ? QString() : data + QStringLiteral("/recovery");
}

RecoveryRecorder::RecoveryRecorder(QObject* parent, const SampleListModel* model,
                                   const FourfoldTable* table)
    : QObject(parent), model_(model), table_(table), cells_(table->CellTexts()) {
  setObjectName(QStringLiteral("RecoveryJournal"));

  const auto rows = [this](int first, int last) {
    return std::span(model_->List().Rows())
        .subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1));
  };
  connect(model, &QAbstractItemModel::dataChanged, this,
          [this, rows](const QModelIndex& top, const QModelIndex& bottom) {
            Changed();
            if (journal_) {
              journal_->RowsReplaced(top.row() + 1, bottom.row() - top.row() + 1,
                                     rows(top.row(), bottom.row()));
            }
          });
  connect(model, &QAbstractItemModel::rowsInserted, this,
          [this, rows](const QModelIndex&, int first, int last) {
            Changed();
            if (journal_) journal_->RowsReplaced(first + 1, 0, rows(first, last));
          });
  connect(model, &QAbstractItemModel::rowsRemoved, this,
          [this](const QModelIndex&, int first, int last) {
            Changed();
            if (journal_) journal_->RowsReplaced(first + 1, last - first + 1, {});
          });
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    Changed();
    if (journal_) journal_->StateReplaced();
  });
  // The table announces every recalculation; only a change of a cell counts.
  connect(table, &FourfoldTable::CellsChanged, this, [this] {
    if (table_->CellTexts() == cells_) return;
    cells_ = table_->CellTexts();
    Changed();
    if (journal_) journal_->CellsSet(cells_);
  });
}

// The journal's writer finishes before the lock is released.
RecoveryRecorder::~RecoveryRecorder() { Stop(); }

void RecoveryRecorder::AnalysisChosen(int analysis) {
  if (analysis == analysis_) return;
  analysis_ = analysis;
  Changed();
  if (journal_) journal_->AnalysisSet(analysis);
}

void RecoveryRecorder::AlphaChosen(int alpha) {
  if (alpha == alpha_) return;
  alpha_ = alpha;
  Changed();
  if (journal_) journal_->AlphaSet(alpha);
}

// The commit is posted, not timed: a zero timer yields to a steady stream of
// posted events, which would hold the changes back for as long as it lasts.
void RecoveryRecorder::Changed() {
  if (stopped_ || pending_) return;
  pending_ = true;
  QMetaObject::invokeMethod(this, &RecoveryRecorder::Commit, Qt::QueuedConnection);
}

// Before the journal exists the changes are not kept one by one: the first
// commit writes the whole state, and so does the next after a journal that
// could not be made.
void RecoveryRecorder::Commit() {
  if (!pending_ || stopped_) return;
  pending_ = false;
  if (!journal_ && !MakeJournal()) {
    ReportFailure();
    return;
  }
  journal_->Commit({analysis_, alpha_, cells_, model_->List().Rows()});
}

bool RecoveryRecorder::WriteNow() {
  Commit();
  if (!journal_) return false;
  journal_->WaitUntilWritten();
  return !journal_->Broken();
}

void RecoveryRecorder::Discard() {
  pending_ = false;
  if (journal_) journal_->Remove();
}

void RecoveryRecorder::Stop() {
  stopped_ = true;
  if (journal_) journal_->Remove();
  journal_.reset();
  lock_.reset();
}

// A name of its own in the folder, locked before the journal is written.
bool RecoveryRecorder::MakeJournal() {
  const QString folder = RecoveryFolder();
  if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
  QString stem;
  do {
    stem = folder + QStringLiteral("/%1-%2")
                        .arg(QCoreApplication::applicationPid())
                        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
  } while (QFile::exists(stem + QStringLiteral(".journal")) ||
           QFile::exists(stem + QStringLiteral(".lock")));
  auto lock = std::make_unique<QLockFile>(stem + QStringLiteral(".lock"));
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return false;
  lock_ = std::move(lock);
  journal_ = std::make_unique<RecoveryJournal>(
      QFile::encodeName(stem + QStringLiteral(".journal")).toStdString(), [this] {
        QMetaObject::invokeMethod(this, &RecoveryRecorder::ReportFailure, Qt::QueuedConnection);
      });
  journal_->StateReplaced();
  return true;
}

void RecoveryRecorder::ReportFailure() {
  if (failureSaid_) return;
  failureSaid_ = true;
  emit Note(QStringLiteral(
      "无法写入恢复文件（磁盘已满或没有写入权限），程序意外退出时未导出的数据将无法恢复"));
}

}  // namespace sumvane
