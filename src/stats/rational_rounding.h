// The one rounding step of a figure formed from exact sums: a quotient of
// whole numbers, or its square root, times a power of ten, rounded to the
// nearest double (ties to even) as if written out in full.
#pragma once

#include <boost/multiprecision/cpp_int.hpp>
#include <optional>

namespace sumvane {

using BigInt = boost::multiprecision::cpp_int;

// numerator / denominator · 10^powerOfTen. Empty when the denominator is 0 or
// the result lies beyond the double range.
std::optional<double> RoundQuotient(BigInt numerator, BigInt denominator, int powerOfTen);

// The square root of numerator / denominator · 10^powerOfTen. Empty when the
// denominator is 0 or the quotient is negative.
std::optional<double> RoundRoot(BigInt numerator, BigInt denominator, int powerOfTen);

}  // namespace sumvane
