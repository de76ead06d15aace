#include <QApplication>

#include "app/chinese_dialogs.h"
#include "app/form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sumvane"));
  QApplication::setApplicationVersion(QStringLiteral("2.0"));
  sumvane::InstallChineseDialogs(&app);
  sumvane::Form1 window;
  window.show();
  return QApplication::exec();
}
