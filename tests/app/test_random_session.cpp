// A long, seeded session of random user actions on the real window: typing
// anything into every box, entering values, picking methods, groups and rows,
// calculating, clearing, deleting, importing, exporting, pasting, copying,
// undoing and redoing. After every action the window must still hold
// together: the result boxes and labels show a figure or nothing, no box holds
// more characters than it allows, the list stays within its 32,767 rows, and
// an Enter stores the typed text where the row number points. Now and then the
// history is taken back to the start of a stretch of actions and forward
// again, and the list must be exactly as it stood at each end.
//
// SUMVANE_SEED picks the session and SUMVANE_ACTIONS its length, so a failing
// run is repeated exactly; SUMVANE_VERBOSE=1 prints every action as it runs.
#include "random_session/crash_report.h"
#include "random_session/session.h"
#include "window_test_support.h"

namespace {

constexpr unsigned long long kDefaultSeed = 20240611;
constexpr int kDefaultActions = 3000;

}  // namespace

class RandomSessionTest : public QObject {
  Q_OBJECT

 private slots:
  void randomActionsKeepTheWindowWhole() {
    bool ok = false;
    unsigned long long seed = qEnvironmentVariable("SUMVANE_SEED").toULongLong(&ok);
    if (!ok) seed = kDefaultSeed;
    int actions = qEnvironmentVariableIntValue("SUMVANE_ACTIONS", &ok);
    if (!ok || actions <= 0) actions = kDefaultActions;
    qInfo("random session: SUMVANE_SEED=%llu SUMVANE_ACTIONS=%d", seed, actions);
    sumvane::session::InstallCrashReport(seed);

    sumvane::session::Session session(seed, actions);
    const QString problem = session.Run();
    if (!problem.isEmpty()) QFAIL(qPrintable(problem));
    qInfo("%d Enters, %d imports, %d exports, %d exports read back and compared, at most %d rows",
          session.Enters(), session.Imports(), session.Exports(), session.Compared(),
          session.MostRows());
    qInfo("%d pastes into the list, %d copies, %d stretches of %d steps undone and redone",
          session.Pasted(), session.Copies(), session.Stretches(), session.StepsTakenBack());
  }
};

SUMVANE_WINDOW_TEST_MAIN(RandomSessionTest)
#include "test_random_session.moc"
