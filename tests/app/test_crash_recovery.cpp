// Kills a working window with SIGKILL at random moments and starts it again:
// the next start must offer the work back, and what it restores must be the
// window's state after one of its steps, none older than the last step that
// ended a second before the kill.
//
// This program is both sides. Run with --child SEED it builds the window and
// works in it (typing, pasting, undoing, switching analysis and α, typing
// into the fourfold table) until killed, printing after each step the time
// and a fingerprint of its state. Run as a test it starts such children in a
// folder of their own each, kills them, and checks the restored windows.
// SUMVANE_SEED picks the moments and the work; SUMVANE_CRASH_RUNS how many.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QProcess>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>

#include "window_test_support.h"

namespace sumvane::testing {
namespace {

qint64 NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// FNV-1a over everything the journal keeps. A window with neither rows nor
// cells leaves nothing to offer, whatever its analysis and α: the next start
// is fresh, and so is its fingerprint, 0.
quint64 Fingerprint(Form1& form) {
  quint64 hash = 14695981039346656037ull;
  bool data = form.List().Count() > 0;
  const auto add = [&hash](const std::string& text) {
    for (const char c : text + '\x1f')
      hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  };
  add(std::to_string(form.CurrentMethod()));
  add(form.findChild<QAction*>(QStringLiteral("Alpha(1)"))->isChecked() ? "0.01" : "0.05");
  for (int i = 0; i < 4; ++i) {
    const QString cell = form.findChild<QLineEdit*>(QStringLiteral("Text11(%1)").arg(i))->text();
    data = data || !cell.isEmpty();
    add(cell.toStdString());
  }
  for (const SampleRow& row : form.List().Rows()) {
    add(row.label);
    add(row.group1);
    add(row.group2);
  }
  return data ? hash : 0;
}

QString Values(std::mt19937& rng, int count, bool twoColumns) {
  std::uniform_int_distribution<int> value(0, 99999);
  QString text;
  for (int i = 0; i < count; ++i) {
    text += QString::number(value(rng) / 100.0);
    if (twoColumns) text += QLatin1Char('\t') + QString::number(value(rng) / 100.0);
    text += QLatin1Char('\n');
  }
  return text;
}

// One random step of a user's work.
void Step(Window& w, std::mt19937& rng) {
  const int roll = std::uniform_int_distribution<int>(0, 99)(rng);
  const bool table = w.form.CurrentMethod() >= 3;
  const auto action = [&w](const char* name) {
    w.Find<QAction>(QString::fromUtf8(name))->trigger();
  };
  if (roll < 55) {
    const QString value = QString::number(std::uniform_int_distribution<int>(0, 9999)(rng) / 10.0);
    if (table) {
      w.Box(QStringLiteral("Text11(%1)").arg(roll % 4))->setText(value);
    } else {
      w.Box(QStringLiteral("Text1"))->setText(value);
      QTest::keyClick(w.Box(QStringLiteral("Text1")), Qt::Key_Return);
    }
  } else if (roll < 67) {
    const int size = std::uniform_int_distribution<int>(0, 19)(rng);
    const int count = size == 0 ? SampleList::kMaxRows : size < 6 ? 3000 : 40;
    QApplication::clipboard()->setText(
        table ? Values(rng, 4, false)
              : Values(rng, std::uniform_int_distribution<int>(2, count)(rng), roll % 2 == 0));
    action("粘贴");
  } else if (roll < 73) {
    w.Find<QRadioButton>(roll % 2 ? QStringLiteral("Option1") : QStringLiteral("Option2"))->click();
  } else if (roll < 81) {
    action("撤销");
  } else if (roll < 85) {
    action("重做");
  } else if (roll < 89 && w.form.List().Count() > 0) {
    auto* view = w.Find<QTreeView>(QStringLiteral("L1"));
    view->setCurrentIndex(view->model()->index(
        std::uniform_int_distribution<int>(0, w.form.List().Count() - 1)(rng), 0));
    w.form.DeleteSelectedRow();
  } else if (roll < 91) {
    w.form.ClearFromMenu();
  } else if (roll < 95) {
    w.form.ChooseMethod(std::uniform_int_distribution<int>(0, 4)(rng));
  } else {
    action(roll % 2 ? "Alpha(0)" : "Alpha(1)");
  }
}

// The child: works until it is killed. Each line is printed once the step is
// done, before the event loop hands it to the journal, so that any state the
// journal can hold has been printed.
int RunChild(int argc, char** argv) {
  QApplication app(argc, argv);
  std::mt19937 rng(QByteArray(argv[2]).toUInt());
  Window w;
  const qint64 end = NowMs() + 60000;
  for (int step = 0; NowMs() < end; ++step) {
    if (step > 0) Step(w, rng);
    std::printf("%d %lld %llu\n", step, static_cast<long long>(NowMs()),
                static_cast<unsigned long long>(Fingerprint(w.form)));
    std::fflush(stdout);
    QCoreApplication::processEvents();
  }
  return 0;
}

struct Run {
  QTemporaryDir data;
  QProcess process;
  qint64 killedAt = 0;
  int delayMs = 0;
  bool afterStart = true;
  bool killed = false;
  bool wasRunning = false;
};

}  // namespace

class CrashRecoveryTest : public QObject {
  Q_OBJECT

 private slots:
  void killedWindowsComeBack() {
    const unsigned seed = qEnvironmentVariableIsSet("SUMVANE_SEED")
                              ? qEnvironmentVariable("SUMVANE_SEED").toUInt()
                              : std::random_device()();
    const int runs = qEnvironmentVariableIntValue("SUMVANE_CRASH_RUNS") > 0
                         ? qEnvironmentVariableIntValue("SUMVANE_CRASH_RUNS")
                         : 50;
    qInfo("seed %u, %d runs (SUMVANE_SEED, SUMVANE_CRASH_RUNS)", seed, runs);
    std::mt19937 rng(seed);
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    int restored = 0;
    qint64 worstLag = 0;
    constexpr int kAtOnce = 2;
    for (int first = 0; first < runs; first += kAtOnce) {
      std::vector<std::unique_ptr<Run>> batch;
      for (int i = first; i < std::min(runs, first + kAtOnce); ++i) {
        auto run = std::make_unique<Run>();
        // Most kills land while the window works; some while it starts.
        run->afterStart = std::uniform_int_distribution<int>(0, 9)(rng) > 0;
        run->delayMs = run->afterStart ? std::uniform_int_distribution<int>(0, 1500)(rng)
                                       : std::uniform_int_distribution<int>(0, 400)(rng);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), run->data.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        run->process.setProcessEnvironment(env);
        run->process.setProgram(QCoreApplication::applicationFilePath());
        run->process.setArguments(
            {QStringLiteral("--child"),
             QString::number(std::uniform_int_distribution<unsigned>()(rng))});
        batch.push_back(std::move(run));
      }
      for (auto& run : batch) {
        Run* r = run.get();
        const auto kill = [r] {
          r->wasRunning = r->process.state() == QProcess::Running;
          r->killedAt = NowMs();
          r->process.kill();
          r->killed = true;
        };
        if (r->afterStart) {
          connect(
              &r->process, &QProcess::readyReadStandardOutput, this,
              [r, kill] { QTimer::singleShot(r->delayMs, &r->process, kill); },
              Qt::SingleShotConnection);
        } else {
          QTimer::singleShot(r->delayMs, &r->process, kill);
        }
        r->process.start();
      }
      for (auto& run : batch) {
        QTRY_VERIFY_WITH_TIMEOUT(run->killed || run->process.state() == QProcess::NotRunning,
                                 60000);
        QTRY_COMPARE_WITH_TIMEOUT(run->process.state(), QProcess::NotRunning, 10000);
        if (!run->wasRunning) QFAIL(run->process.readAllStandardError().constData());
      }
      for (auto& run : batch) {
        qputenv("XDG_DATA_HOME", run->data.path().toLocal8Bit());
        Check(*run, restored, worstLag);
        if (QTest::currentTestFailed()) return;
      }
    }
    qputenv("XDG_DATA_HOME", dataHome);
    qInfo(
        "%d of %d windows restored work; the longest a finished step was not yet in the "
        "journal at a kill: %lld ms",
        restored, runs, worstLag);
    QVERIFY(restored > runs / 2);
  }

 private:
  void Check(Run& run, int& restored, qint64& worstLag) {
    struct Line {
      qint64 time;
      quint64 state;
    };
    std::vector<Line> lines;
    for (const QByteArray& text : run.process.readAllStandardOutput().split('\n')) {
      const QList<QByteArray> fields = text.split(' ');
      if (fields.size() == 3) lines.push_back({fields[1].toLongLong(), fields[2].toULongLong()});
    }
    // Every step that ended a second before the kill must be in the journal:
    // the restored state is that of the last of them or of a later step.
    std::size_t owed = 0;
    while (owed < lines.size() && lines[owed].time + 1000 <= run.killedAt) ++owed;
    Window w;
    const quint64 state = Fingerprint(w.form);
    std::optional<std::size_t> match;
    int latest = -1;  // any step with the restored state, for the message
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].state != state) continue;
      latest = static_cast<int>(i);
      if (i + 1 >= owed) match = i;
    }
    QVERIFY2(match || (owed == 0 && state == 0),
             qPrintable(QStringLiteral("killed %1 ms after the window was up, after %2 steps, %3 "
                                       "of them a second before; restored: step %4 (-1: none)")
                            .arg(lines.empty() ? 0 : run.killedAt - lines[0].time)
                            .arg(lines.size())
                            .arg(owed)
                            .arg(latest)));
    if (match && *match + 1 < lines.size()) {
      worstLag = std::max(worstLag, run.killedAt - lines[*match + 1].time);
    }
    if (state != 0) {
      ++restored;
      QCOMPARE(w.log->recoveryAsked, 1);
    }
  }
};

}  // namespace sumvane::testing

int main(int argc, char** argv) {
  // A child keeps the data folder its parent gave it.
  if (argc == 3 && qstrcmp(argv[1], "--child") == 0) {
    QLocale::setDefault(QLocale::c());
    return sumvane::testing::RunChild(argc, argv);
  }
  sumvane::testing::PinEnvironment();
  QApplication app(argc, argv);
  sumvane::testing::CrashRecoveryTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_crash_recovery.moc"
