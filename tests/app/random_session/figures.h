// What the window may show and store, decided here without the window's own
// reading of numbers.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "entry/sample_list.h"

namespace sumvane::session {

// Whether the window stores a typed text: a plain decimal number, blanks
// around it allowed, within the double range.
bool IsPlainNumber(const QString& text);

// How the window reads the row-number box: the longest leading number, with
// blanks, tabs and line feeds skipped anywhere; a sign, digits with one point
// and an exponent of E or D; "&H" and "&O" give a hexadecimal or octal whole
// number wrapped to 32 bits. No digit gives 0, a number past the double range
// an infinity.
double RowNumberValue(const QString& text);

// The row an overwrite lands in: the row number rounded to a whole number,
// halves to the even neighbour, when that is a position of the list.
std::optional<int> OverwritePosition(double target, int count);

// The most rows the list holds.
inline constexpr int kMostRows = 32767;

// The group's first row with an empty cell, or the row after the last.
int FirstEmptyRow(const std::vector<SampleRow>& rows, int group);

// Why a text written by the system into a result box is not a figure; empty
// when it is one or is the empty text.
QString FigureProblem(const QString& text);

// The regression equation: "Y=a + bX", or "Y=a-bX" for a negative slope.
QString EquationProblem(const QString& text);

}  // namespace sumvane::session
