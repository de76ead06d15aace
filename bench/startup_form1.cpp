// Starts as the program does and quits as soon as the event loop has run once
// after the first show. Given a file, it imports it through the window's own
// command before the show, so that the list is full when the window appears;
// given a number of steps too, it then enters that many values through the
// data box, each a step of the undo history.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "app/dialogs.h"
#include "app/form1.h"
#include "entry/sample_list.h"
#include "fixed_file_dialogs.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sumvane"));
  QApplication::setApplicationVersion(QStringLiteral("2.0"));
  sumvane::Form1 window;
  if (argc > 1) {
    window.SetDialogs(
        std::make_unique<sumvane::bench::FixedFileDialogs>(QString::fromLocal8Bit(argv[1])));
    window.ImportSampleList();
  }
  const int steps = argc > 2 ? std::atoi(argv[2]) : 0;
  auto* value = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
  auto* row = window.findChild<QLineEdit*>(QStringLiteral("Text2"));
  for (int i = 0; i < steps; ++i) {
    row->setText(QString::number(1 + i * 300));
    value->setText(QString::number(i) + QStringLiteral(".5"));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(value, &press);
  }
  window.show();
  QTimer::singleShot(0, &app, &QCoreApplication::quit);
  const int status = QApplication::exec();
  // A file that did not load would make the memory figure meaningless.
  if (argc > 1 && window.List().Count() == 0) return 3;
  return status;
}
