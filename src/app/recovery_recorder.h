// Keeps the window's recovery journal (files/recovery_journal.h). It hears
// every change of the list model, of the fourfold table's cells, of the
// analysis and of α, and commits the changes of each step once the event that
// made them is handled, so that the journal never holds half a step. The
// journal is made at the first change, beside a lock file (QLockFile) that
// tells other windows its owner still runs; a start that changes nothing
// writes nothing.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <string>

class QLockFile;

namespace sumvane {

class FourfoldTable;
class RecoveryJournal;
class SampleListModel;

class RecoveryRecorder : public QObject {
  Q_OBJECT

 public:
  RecoveryRecorder(QObject* parent, const SampleListModel* model, const FourfoldTable* table);
  ~RecoveryRecorder() override;

  // The analysis (0 to 4) and α (0: 0.05, 1: 0.01) as the window chose them.
  void AnalysisChosen(int analysis);
  void AlphaChosen(int alpha);
  // Commits what is pending and returns once it reached the disk; false when
  // the journal could not be written.
  bool WriteNow();
  // Nothing is left to lose (the list was exported): the journal is deleted,
  // and the next change starts it afresh.
  void Discard();
  // The window ends normally: the journal is deleted and nothing more is
  // recorded.
  void Stop();

 signals:
  // Said once: the journal cannot be written, so a crash would lose work.
  void Note(const QString& text);

 private:
  void Changed();
  void Commit();
  bool MakeJournal();
  void ReportFailure();

  const SampleListModel* model_;
  const FourfoldTable* table_;
  int analysis_ = 0;
  int alpha_ = 0;
  std::array<std::string, 4> cells_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<RecoveryJournal> journal_;
  bool pending_ = false;
  bool stopped_ = false;
  bool failureSaid_ = false;
};

// The folder of every window's journal, in the user's data folder.
QString RecoveryFolder();

}  // namespace sumvane
