#include "app/chinese_dialogs.h"

#include <QCoreApplication>
#include <QTranslator>

// The translation is compiled into the static library, whose resource
// initialiser the linker would otherwise drop.
static void InitTranslations() { Q_INIT_RESOURCE(translations); }

namespace sumvane {

bool InstallChineseDialogs(QCoreApplication* application) {
  InitTranslations();
  auto* translator = new QTranslator(application);
  if (!translator->load(QStringLiteral(":/translations/qtbase_zh_CN.qm")) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}

}  // namespace sumvane
