#include "app/chinese_dialogs.h"

#include <QCoreApplication>
#include <QFileSystemModel>
#include <QLocale>
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

QVariant FileColumnsInDefaultLocale::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (files == nullptr || role != Qt::DisplayRole || !index.isValid()) {
    return QIdentityProxyModel::data(index, role);
  }
  // The columns of QFileSystemModel: name, size, type, date modified.
  const QModelIndex file = mapToSource(index);
  const QLocale locale;
  if (index.column() == 1 && !files->isDir(file))
    return locale.formattedDataSize(files->size(file));
  if (index.column() == 3) return locale.toString(files->lastModified(file), QLocale::ShortFormat);
  return QIdentityProxyModel::data(index, role);
}

}  // namespace sumvane
