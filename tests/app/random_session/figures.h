// What the window may show and store, decided here without the window's own
// reading of numbers.
#pragma once

#include <QString>
#include <optional>

namespace sumvane::session {

// Whether the window stores a typed text: a plain decimal number, blanks
// around it allowed, within the double range.
bool IsPlainNumber(const QString& text);

// The row an overwrite lands in: the row number rounded to a whole number,
// halves to the even neighbour, when that is a position of the list.
std::optional<int> OverwritePosition(double target, int count);

// Why a text written by the system into a result box is not a figure; empty
// when it is one or is the empty text.
QString FigureProblem(const QString& text);

// The regression equation: "Y=a + bX", or "Y=a-bX" for a negative slope.
QString EquationProblem(const QString& text);

}  // namespace sumvane::session
