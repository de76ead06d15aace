#include <QApplication>

#include "app/form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sumvane"));
  QApplication::setApplicationVersion(QStringLiteral("2.0"));
  sumvane::Form1 window;
  window.show();
  return QApplication::exec();
}
