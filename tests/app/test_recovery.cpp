// The recovery journal through the window: a journal left by a window that
// did not end normally is offered at the next start and restored as one
// step, or discarded; a journal whose window still runs is left alone; a
// journal that cannot be written is said once; an export of the unchanged
// state and a normal end remove it. A window that "crashed" is the file it
// left: its journal copied while it ran, without its lock.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryFile>
#include <QTreeView>

#include "app/recovery_recorder.h"
#include "files/file_store.h"
#include "files/journal_format.h"
#include "window_test_support.h"

namespace sumvane::testing {
namespace {

QStringList Journals() {
  return QDir(RecoveryFolder()).entryList({QStringLiteral("*.journal")}, QDir::Files);
}

// The journal of a running window, as a killed window would leave it.
void LeaveCrashedJournal(Window& w) {
  QVERIFY(w.Find<RecoveryRecorder>(QStringLiteral("RecoveryJournal"))->WriteNow());
  const QStringList journals = Journals();
  QCOMPARE(journals.size(), 1);
  QVERIFY(QFile::copy(RecoveryFolder() + QLatin1Char('/') + journals.first(),
                      RecoveryFolder() + QStringLiteral("/crashed.journal")));
}

JournalState ReadBack(const QString& name) {
  const auto bytes =
      ReadWholeFile(QFile::encodeName(RecoveryFolder() + QLatin1Char('/') + name).toStdString());
  return ReadJournal(bytes.value_or(std::string())).state.value_or(JournalState{-1, 0, {}, {}});
}

}  // namespace

class RecoveryTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QDir(RecoveryFolder()).removeRecursively(); }

  void restoresAWindowsWorkAsOneStep_data() {
    QTest::addColumn<int>("method");
    QTest::newRow("list") << 2;
    QTest::newRow("fourfold table") << 3;
  }
  void restoresAWindowsWorkAsOneStep() {
    QFETCH(int, method);
    QStringList rows;
    {
      Window crashed;
      crashed.form.ChooseMethod(method);
      crashed.Find<QAction>(QStringLiteral("Alpha(1)"))->trigger();
      if (method == 2) {
        crashed.Fill({{"1.5", "2"}, {"2.5", "4.5"}, {"3", "5"}});
        crashed.Enter(QStringLiteral("7"));
      } else {
        for (int i = 0; i < 4; ++i) {
          crashed.Type(QStringLiteral("Text11(%1)").arg(i), QString::number(10 + i));
        }
      }
      for (const SampleRow& row : crashed.form.List().Rows()) {
        rows << QString::fromStdString(row.label + "|" + row.group1 + "|" + row.group2);
      }
      LeaveCrashedJournal(crashed);
    }
    QCOMPARE(Journals(), QStringList{QStringLiteral("crashed.journal")});

    Window w;
    QCOMPARE(w.log->recoveryAsked, 1);
    QCOMPARE(w.form.CurrentMethod(), method);
    QVERIFY(w.Find<QAction>(QStringLiteral("Alpha(1)"))->isChecked());
    QStringList restored;
    for (const SampleRow& row : w.form.List().Rows()) {
      restored << QString::fromStdString(row.label + "|" + row.group1 + "|" + row.group2);
    }
    QCOMPARE(restored, rows);
    if (method == 2) {
      QCOMPARE(w.Text(QStringLiteral("Text9")), QString::number(rows.size()));
    } else {
      QCOMPARE(w.Text(QStringLiteral("Text11(3)")), QStringLiteral("13"));
      QCOMPARE(w.Text(QStringLiteral("Label18(4)")), QStringLiteral("46"));
    }
    // The crashed window's journal is gone; this window's holds the work.
    const QStringList journals = Journals();
    QCOMPARE(journals.size(), 1);
    QVERIFY(journals.first() != QStringLiteral("crashed.journal"));
    QCOMPARE(ReadBack(journals.first()).HoldsData(), true);

    // One step: undone, nothing is left to undo.
    w.Find<QAction>(QStringLiteral("撤销"))->trigger();
    QCOMPARE(w.form.List().Count(), 0);
    QCOMPARE(w.Text(QStringLiteral("Text11(3)")), QString());
    QVERIFY(!w.Find<QAction>(QStringLiteral("撤销"))->isEnabled());
  }

  void discardingRemovesTheJournalForGood() {
    {
      Window crashed;
      crashed.Enter(QStringLiteral("5"));
      LeaveCrashedJournal(crashed);
    }
    // Answered before the window asks, which it does once the event loop runs.
    auto log = std::make_shared<ScriptedDialogs::Log>();
    log->recoveryAnswer = Dialogs::Recovery::kDiscard;
    {
      Form1 form;
      form.SetDialogs(std::make_unique<ScriptedDialogs>(log, QStringList()));
      QTRY_COMPARE(log->recoveryAsked, 1);
      QCOMPARE(form.List().Count(), 0);
      QCOMPARE(Journals(), QStringList());
    }
    Window next;
    QCOMPARE(next.log->recoveryAsked, 0);
  }

  void aJournalWhoseWindowRunsIsLeftAlone() {
    Window running;
    running.Enter(QStringLiteral("5"));
    QVERIFY(running.Find<RecoveryRecorder>(QStringLiteral("RecoveryJournal"))->WriteNow());
    const QStringList journals = Journals();
    Window second;
    QCOMPARE(second.log->recoveryAsked, 0);
    QCOMPARE(second.form.List().Count(), 0);
    QCOMPARE(Journals(), journals);
    QCOMPARE(ReadBack(journals.first()).rows.size(), 1u);
  }

  void aJournalThatCannotBeWrittenIsSaidOnce() {
    // The data folder cannot be made: a file stands in its place.
    QTemporaryFile notAFolder;
    QVERIFY(notAFolder.open());
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", notAFolder.fileName().toLocal8Bit());
    Window w;
    int said = 0;
    connect(w.form.statusBar(), &QStatusBar::messageChanged, this, [&](const QString& text) {
      said += text.contains(QStringLiteral("无法写入恢复文件"));
    });
    w.Enter(QStringLiteral("5"));
    QTRY_COMPARE(said, 1);
    w.Enter(QStringLiteral("6"));
    QTest::qWait(50);
    QCOMPARE(said, 1);
    QCOMPARE(w.form.List().Count(), 2);
    qputenv("XDG_DATA_HOME", dataHome);
  }

  void anExportAndANormalEndRemoveTheJournal() {
    QTemporaryDir files;
    Window w({files.filePath(QStringLiteral("a.txt"))});
    w.Enter(QStringLiteral("5"));
    auto* recorder = w.Find<RecoveryRecorder>(QStringLiteral("RecoveryJournal"));
    QVERIFY(recorder->WriteNow());
    QCOMPARE(Journals().size(), 1);
    w.Find<QAction>(QStringLiteral("导出"))->trigger();
    QTRY_COMPARE(Journals().size(), 0);
    w.Enter(QStringLiteral("6"));
    QVERIFY(recorder->WriteNow());
    QCOMPARE(Journals().size(), 1);
    w.log->unsavedAnswer = Dialogs::UnsavedList::kDiscard;
    QVERIFY(w.form.close());
    QTRY_COMPARE(Journals().size(), 0);
  }
};

}  // namespace sumvane::testing

SUMVANE_WINDOW_TEST_MAIN(sumvane::testing::RecoveryTest)
#include "test_recovery.moc"
