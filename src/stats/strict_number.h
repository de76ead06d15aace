// The check that a typed or pasted value is a number and nothing else, so
// that no stray character is quietly read as part of an observation.
#pragma once

#include <optional>
#include <string_view>

namespace sumvane {

// The value of the text when all of it is one decimal number, blanks (spaces
// and tabs) around it allowed: an optional sign, digits with at most one point
// (at least one digit), and an optional exponent of E or e, an optional sign
// and digits. "-.5", "1E3", " 7 " and "5." are numbers; "1 2", "1,5", "abc",
// "1E", "&H10" and the empty text are not, nor is a number beyond the double
// range. The value is ReadNumber's for the same text.
std::optional<double> ReadStrictNumber(std::string_view text);

// Whether ReadStrictNumber accepts the text, without reading its value where
// the form alone settles it: for checking many cells quickly.
bool IsStrictNumber(std::string_view text);

}  // namespace sumvane
