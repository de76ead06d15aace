// The window's face, shared by the window and the pictures it shows, so that
// a picture's texts read as the window's own.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace sumvane::face {

// The first of the faces that is installed. Naming only that face spares
// every font the program makes the search through the absent ones, each of
// which costs a fontconfig fallback query.
QString FirstInstalled(const QStringList& families);
QFont WindowFont(double pointSize = 9, bool bold = false);

}  // namespace sumvane::face
