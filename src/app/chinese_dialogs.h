// Qt's own dialogs (message boxes, file dialogs, the print dialog) speak the
// program's language, Simplified Chinese, whatever the system's language is.
#pragma once

#include <QIdentityProxyModel>

class QCoreApplication;

namespace sumvane {

// Loads Qt's Simplified-Chinese translation, compiled into the program, into
// the application. True when it was installed.
bool InstallChineseDialogs(QCoreApplication* application);

// The size and date columns of Qt's own file dialog written in the default
// locale (the program sets it Chinese, China): Qt writes them in the
// system's, which setting the default does not reach.
class FileColumnsInDefaultLocale : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& index, int role) const override;
};

}  // namespace sumvane
