// The least a Qt Widgets program does to show a main window: the start-up
// baseline. It quits as soon as the event loop has run once after the show.
//
// Two variants say what the window's fonts cost on their own, before any of
// the window is built (neither is a mark):
//   --label  one line of Chinese in the window's face at 9 pt;
//   --faces  a line in each face and size the window's first screen draws:
//            the captions at 9 pt, the t box at 12 pt, "t=" at 18 pt, and the
//            t table's monospaced face at 9 pt.
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <cstring>

namespace {

// The first installed face of a list, as the window names its fonts.
QString FirstInstalled(const QStringList& families) {
  for (const QString& family : families) {
    if (QFontDatabase::hasFamily(family)) return family;
  }
  return families.front();
}

void AddLine(QMainWindow& window, const QString& family, double pointSize) {
  auto* label = new QLabel(QStringLiteral("两样本均数差别T检验 0.727"), &window);
  QFont font(family);
  font.setPointSizeF(pointSize);
  label->setFont(font);
  label->move(0, static_cast<int>(window.children().size()) * 24);
  label->adjustSize();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  const bool label = argc > 1 && std::strcmp(argv[1], "--label") == 0;
  const bool faces = argc > 1 && std::strcmp(argv[1], "--faces") == 0;
  if (label || faces) {
    const QString serif = FirstInstalled(
        {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
         QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
    AddLine(window, serif, 9);
    if (faces) {
      AddLine(window, serif, 12);
      AddLine(window, serif, 18);
      AddLine(window,
              FirstInstalled({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                              QStringLiteral("Noto Sans Mono CJK SC"),
                              QStringLiteral("Noto Sans CJK SC")}),
              9);
    }
  }
  window.show();
  QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return QApplication::exec();
}
