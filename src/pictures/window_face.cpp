#include "pictures/window_face.h"

#include <QFontDatabase>

namespace sumvane::face {
namespace {

const QString& WindowFamily() {
  static const QString family = FirstInstalled(
      {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
       QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
  return family;
}

}  // namespace

QString FirstInstalled(const QStringList& families) {
  for (const QString& family : families) {
    if (QFontDatabase::hasFamily(family)) return family;
  }
  return families.front();
}

QFont WindowFont(double pointSize, bool bold) {
  QFont font(WindowFamily());
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

}  // namespace sumvane::face
