// The list's rows as the session's reports name them, and the comparison of
// the list with the rows expected.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "entry/sample_list.h"

namespace sumvane::session {

using Rows = std::vector<SampleRow>;

inline std::string Std(const QString& text) { return text.toStdString(); }
inline QString Qt8(const std::string& text) { return QString::fromStdString(text); }

// Characters as the file format counts them: Unicode code points.
int CodePoints(const std::string& utf8);
bool ValidUtf8(const std::string& text);

// A text short enough to name in a log line, with unusual characters spelled out.
QString Shown(const QString& text);
QString RowText(const SampleRow& row);

// The first difference of the list from the rows expected; empty when equal.
QString RowsDifference(const Rows& actual, const Rows& expected);

}  // namespace sumvane::session
