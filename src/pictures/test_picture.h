// The picture of the test under H0: the density of t (both tails rejected) or
// of chi-square (the upper tail), the rejection region at α hatched, the
// critical value(s) and the observed statistic marked, the area beyond the
// statistic filled and labelled with P. When P is Fisher's exact probability,
// the probabilities of the tables with the observed margins as bars instead.
//
// The series carry object names tests and readers can find them by:
// "density", "rejection" (one per tail), "p" (one per tail), "critical",
// "statistic"; for the exact test "counted", "other".
#pragma once

#include "pictures/picture.h"
#include "stats/picture_facts.h"

namespace sumvane {

Picture TestPicture(const TestFacts& facts);

}  // namespace sumvane
