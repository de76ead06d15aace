// The exact test's picture: the hypergeometric probability of every table
// with the observed margins, by its cell a, as bars; the tables no more
// probable than the observed one (those P sums) hatched, the others pale, the
// observed one marked.
#pragma once

#include "pictures/picture.h"
#include "stats/exact_tests.h"

namespace sumvane {

// Bars too small to see at any print size are left out, as long as what is
// left out sums to less than this.
inline constexpr double kNegligibleProbability = 1e-9;

Picture ExactPicture(const ExactTestSupport& support);

}  // namespace sumvane
