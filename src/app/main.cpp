#include <QApplication>
#include <QLocale>

#include "app/chinese_dialogs.h"
#include "app/command_line.h"
#include "app/form1.h"

int main(int argc, char* argv[]) {
  const sumvane::CommandLine command = sumvane::ReadCommandLine(argc, argv);
  if (command.exitCode) return *command.exitCode;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sumvane"));
  QApplication::setApplicationVersion(QStringLiteral("2.0"));
  sumvane::InstallChineseDialogs(&app);
  // Qt's dialogs write sizes and dates in the default locale, the system's
  // unless set; the window's figures never go through a locale.
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  sumvane::Form1 window;
  if (!command.file.isEmpty()) window.ImportAtStart(command.file);
  window.show();
  return QApplication::exec();
}
