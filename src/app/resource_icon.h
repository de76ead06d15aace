// An icon kept as one PNG per size among the program's compiled-in resources.
#pragma once

#include <QIcon>
#include <QList>
#include <QString>

namespace sumvane {

// The icon whose size s is the resource pattern.arg(s), for each of sides
// (ascending). A size is decoded only when it is first asked for: QIcon's own
// files are decoded all at once when added, and most platforms never ask for
// a window icon's large sizes. A size between those given is scaled down from
// the next larger one; a size above them all gets the largest.
QIcon ResourceIcon(const QString& pattern, const QList<int>& sides);

}  // namespace sumvane
