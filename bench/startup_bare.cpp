// The least a Qt Widgets program does to show a main window: the start-up
// baseline. It quits as soon as the event loop has run once after the show.
// With "--label" the window also shows one line of Chinese in the fonts the
// real window asks for, which is the least that loading its fonts costs.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <cstring>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
    auto* label = new QLabel(QStringLiteral("两样本均数差别T检验"), &window);
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Zen Hei")});
    font.setPointSizeF(9);
    label->setFont(font);
    label->adjustSize();
  }
  window.show();
  QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return QApplication::exec();
}
