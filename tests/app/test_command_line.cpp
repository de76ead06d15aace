// The program's command line, run as the user runs it: help and version print
// in Chinese and end without a window, before any platform is needed; a
// mistake says so; a file named on it is imported at start, as 导入 imports it.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "files/file_store.h"
#include "files/journal_format.h"
#include "window_test_support.h"

namespace sumvane::testing {
namespace {

struct Ran {
  int exitCode = -1;
  QString out;
  QString err;
};

// Without a display: a window, or any application that needs a platform,
// would make the program abort.
Ran RunWithoutDisplay(const QStringList& arguments) {
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(QStringLiteral("DISPLAY"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  program.setProcessEnvironment(env);
  program.start(QStringLiteral(SUMVANE_PROGRAM), arguments);
  if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit) {
    program.kill();
    return {-1, {}, QString::fromUtf8(program.readAllStandardError())};
  }
  return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
          QString::fromUtf8(program.readAllStandardError())};
}

}  // namespace

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void printsAndEndsWithoutAWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("said");
    const QStringList help{"用法", "[文件]", "--help", "--version", "显示版本后退出"};
    QTest::newRow("--help") << QStringList{"--help"} << 0 << help;
    QTest::newRow("-h") << QStringList{"-h"} << 0 << help;
    QTest::newRow("--version") << QStringList{"--version"} << 0 << QStringList{"Sumvane 版本 2.0"};
    QTest::newRow("-v") << QStringList{"-v"} << 0 << QStringList{"Sumvane 版本 2.0"};
    QTest::newRow("unknown option")
        << QStringList{"--bogus"} << 1 << QStringList{"bogus", "用 --help 查看用法。"};
    QTest::newRow("two files") << QStringList{"a.txt", "b.txt"} << 1
                               << QStringList{"一次只能导入一个文件。"};
  }
  void printsAndEndsWithoutAWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, said);
    const Ran ran = RunWithoutDisplay(arguments);
    QVERIFY2(ran.exitCode == exitCode, qPrintable(ran.err));
    for (const QString& text : said) {
      QVERIFY2((exitCode == 0 ? ran.out : ran.err).contains(text), qPrintable(ran.out + ran.err));
    }
  }

  // The imported rows reach the journal of the running program, which is
  // where this test reads them. Qt's own options still reach Qt.
  void importsTheFileNamedAtStart_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("text file") << "data.txt"
                               << QByteArray(
                                      "·1        5.2             4.85\r\n"
                                      "·2        6               \r\n"
                                      "·3        7.5             8\r\n\r\n");
    QTest::newRow("table file") << "data.csv" << QByteArray("1,5.2,4.85\n2,6,\n3,7.5,8\n");
    QTest::newRow("tab-separated") << "data.tsv" << QByteArray("1\t5.2\t4.85\n2\t6\t\n3\t7.5\t8\n");
  }
  void importsTheFileNamedAtStart() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path());
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(SUMVANE_PROGRAM),
                  {QStringLiteral("-platform"), QStringLiteral("offscreen"), file.fileName()});
    QVERIFY(program.waitForStarted());
    const QString folder = dir.filePath(QStringLiteral("Sumvane/recovery"));
    std::optional<JournalState> state;
    const auto imported = [&] {
      for (const QString& journal : QDir(folder).entryList({QStringLiteral("*.journal")})) {
        const auto read = ReadWholeFile(QFile::encodeName(folder + '/' + journal).toStdString());
        state = ReadJournal(read.value_or(std::string())).state;
      }
      return state && state->rows.size() == 3;
    };
    QTRY_VERIFY_WITH_TIMEOUT(imported() || program.state() != QProcess::Running, 30000);
    program.kill();
    program.waitForFinished();
    QVERIFY2(imported(), program.readAllStandardError().constData());
    const std::vector<SampleRow> rows{{"1", "5.2", "4.85"}, {"2", "6", ""}, {"3", "7.5", "8"}};
    QVERIFY(state->rows == rows);
  }

  void aFileThatCannotBeReadIsSaidAsImportSaysIt() {
    auto log = std::make_shared<ScriptedDialogs::Log>();
    Form1 form;
    form.SetDialogs(std::make_unique<ScriptedDialogs>(log, QStringList()));
    form.ImportAtStart(QStringLiteral("/nonexistent/missing.txt"));
    QTRY_COMPARE(log->messages, QStringList{QStringLiteral("无法读取文件：missing.txt")});
  }
};

}  // namespace sumvane::testing

SUMVANE_WINDOW_TEST_MAIN(sumvane::testing::CommandLineTest)
#include "test_command_line.moc"
