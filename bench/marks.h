// How every benchmark program states its results: one line per mark, with the
// figure, its baseline, the ratio and whether the mark is kept. The lines
// start with "MARK" so that the runner can gather them into one summary.
#pragma once

#include <cstdio>
#include <string>

namespace sumvane::bench {

// A figure that may be at most `limit` times its baseline. A figure or
// baseline of 0 was not measured and keeps no mark.
inline bool PrintRatioMark(const std::string& what, double figure, const std::string& baselineName,
                           double baseline, double limit, const char* unit = "ms") {
  const double ratio = baseline > 0.0 ? figure / baseline : 0.0;
  const bool kept = figure > 0.0 && baseline > 0.0 && figure <= limit * baseline;
  std::printf("MARK %-44s %10.3f %s  baseline %10.3f %s (%s)  ratio %5.2f  mark <= %.1fx  %s\n",
              what.c_str(), figure, unit, baseline, unit, baselineName.c_str(), ratio, limit,
              kept ? "PASS" : "MISS");
  std::fflush(stdout);
  return kept;
}

// A figure that must stay under a fixed bound.
inline bool PrintBoundMark(const std::string& what, double figure, double bound,
                           const char* unit = "ms") {
  const bool kept = figure > 0.0 && figure < bound;  // 0: not measured
  std::printf("MARK %-44s %10.3f %s  bound %10.3f %s  ratio %5.2f  mark < bound  %s\n",
              what.c_str(), figure, unit, bound, unit, figure / bound, kept ? "PASS" : "MISS");
  std::fflush(stdout);
  return kept;
}

// A figure that may be at most `limit`, a bound derived from its baseline and
// described by `markText`.
inline bool PrintDerivedMark(const std::string& what, double figure,
                             const std::string& baselineName, double baseline, double limit,
                             const std::string& markText, const char* unit) {
  const bool kept = figure > 0.0 && figure <= limit;
  std::printf(
      "MARK %-44s %10.3f %s  baseline %10.3f %s (%s)  ratio %5.2f  mark <= %s = %.1f %s  %s\n",
      what.c_str(), figure, unit, baseline, unit, baselineName.c_str(),
      baseline > 0.0 ? figure / baseline : 0.0, markText.c_str(), limit, unit,
      kept ? "PASS" : "MISS");
  std::fflush(stdout);
  return kept;
}

// A figure that may exceed its baseline, measured in the same run, by at most
// `bound`: what one part adds to a step. A difference below zero is noise and
// keeps the mark.
inline bool PrintAddedMark(const std::string& what, double figure, const std::string& baselineName,
                           double baseline, double bound, const char* unit = "ms") {
  const double added = figure - baseline;
  const bool kept = figure > 0.0 && baseline > 0.0 && added <= bound;
  std::printf(
      "MARK %-44s %10.3f %s  baseline %10.3f %s (%s)  added %7.3f %s  mark <= %.1f %s  %s\n",
      what.c_str(), figure, unit, baseline, unit, baselineName.c_str(), added, unit, bound, unit,
      kept ? "PASS" : "MISS");
  std::fflush(stdout);
  return kept;
}

}  // namespace sumvane::bench
