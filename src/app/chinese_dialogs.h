// Qt's own dialogs (message boxes, file dialogs, the print dialog) speak the
// program's language, Simplified Chinese, whatever the system's language is.
#pragma once

class QCoreApplication;

namespace sumvane {

// Loads Qt's Simplified-Chinese translation, compiled into the program, into
// the application. True when it was installed.
bool InstallChineseDialogs(QCoreApplication* application);

}  // namespace sumvane
