#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "app/chinese_dialogs.h"

namespace sumvane {
namespace {

struct Options {
  QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                          QStringLiteral("显示本说明后退出。")};
  QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                             QStringLiteral("显示版本后退出。")};
};

// Qt's own options that take a value: the application takes them from the
// command line itself, so they are let through.
const char* const kQtOptionsWithValue[] = {
    "platform",        "platformpluginpath", "platformtheme", "display", "style", "stylesheet",
    "qwindowgeometry", "qwindowtitle",       "qwindowicon",   "session", "plugin"};
const char* const kQtSwitches[] = {"reverse", "widgetcount", "nograb", "dograb"};

void SetUp(QCommandLineParser& parser, const Options& options) {
  // Qt's options are written with one dash, as `-platform offscreen`.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(
      QStringLiteral("Sumvane 2.0：医学统计学计算器（t 检验、直线相关与回归、卡方检验）。"));
  parser.addOption(options.help);
  parser.addOption(options.version);
  parser.addPositionalArgument(
      QStringLiteral("文件"),
      QStringLiteral("启动后导入的数据文件（.txt 或 .csv），与“导入”相同。"),
      QStringLiteral("[文件]"));
  for (const char* name : kQtOptionsWithValue) {
    QCommandLineOption qt(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    qt.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(qt);
  }
  for (const char* name : kQtSwitches) {
    QCommandLineOption qt(QString::fromLatin1(name));
    qt.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(qt);
  }
}

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toUtf8().constData(), stream);
  std::fflush(stream);
}

}  // namespace

CommandLine ReadCommandLine(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  Options options;
  QCommandLineParser parser;
  SetUp(parser, options);
  if (parser.parse(arguments) && !parser.isSet(options.help) && !parser.isSet(options.version) &&
      parser.positionalArguments().size() <= 1) {
    return {std::nullopt, parser.positionalArguments().value(0)};
  }

  // Qt's texts of the help ("用法", "选项") come from its Chinese translation,
  // which needs an application; a core one needs no display.
  QCoreApplication core(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Sumvane"));
  QCoreApplication::setApplicationVersion(QStringLiteral("2.0"));
  InstallChineseDialogs(&core);
  QCommandLineParser translated;
  SetUp(translated, options);
  if (!translated.parse(arguments)) {
    Print(stderr, translated.errorText() + QStringLiteral("\n用 --help 查看用法。\n"));
    return {1, {}};
  }
  if (translated.isSet(options.help)) {
    Print(stdout, translated.helpText());
    return {0, {}};
  }
  if (translated.isSet(options.version)) {
    Print(stdout, QStringLiteral("Sumvane 版本 2.0\n"));
    return {0, {}};
  }
  Print(stderr, QStringLiteral("一次只能导入一个文件。\n用 --help 查看用法。\n"));
  return {1, {}};
}

}  // namespace sumvane
