// Conversions between the texts that the window shows and the numbers that the
// analyses compute with. Every figure is read from text and written as text, so
// these few functions decide what a user sees in every result box. Reading,
// writing and shortening each have a file of their own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sumvane {

// A working value that may not have been formed. Arithmetic on a blank gives
// a blank (arithmetic.h), and a blank shows as the empty text.
using Blank = std::optional<double>;

// The longest leading number of the text, the rest ignored: blanks, tabs and
// line feeds are skipped anywhere, an optional sign, digits with one point, an
// exponent introduced by E or D in either case; "&H" and "&O" prefixes give a
// hexadecimal or octal whole number, wrapped to 32-bit two's complement
// ("&HFFFFFFFF" is -1). No digit read gives 0. A number beyond the double range
// reads as an infinity, so the computation that uses it fails. Independent of
// the locale: the point is always ".".
double ReadNumber(std::string_view text);

// At most 15 significant digits; positional form for decimal exponents -4 to 14,
// otherwise "1.5E+15" style; no zero before the point (".5", "-.25"); zero of
// either sign is "0". A value that is not finite gives the empty text.
std::string NumberText(double value);
// A whole-number count: its decimal digits.
std::string NumberText(int count);
// Blank gives the empty text.
std::string NumberText(const Blank& value);

// NumberText with the zero before the point put back ("0.5", "-0.25").
std::string FormatDecimal(double value);
std::string FormatDecimal(const Blank& value);

// Shortens a figure's text to at most k characters without changing its
// magnitude: a positional figure whose sign and whole part fit is cut (not
// rounded) as long as a significant digit survives the cut; any other figure
// becomes a compact exponent form such as "1.2E+6". A text of at most k
// characters is returned unchanged; a figure of which not even one mantissa
// digit fits gives the empty text; a zero figure gives "0"; a text that is not a
// figure is cut to its first k characters.
std::string ClipText(std::string_view text, int k);

}  // namespace sumvane
