// Values of a test table as the list holds them: each double written in the
// shortest text that reads back to it (1.1 as "1.1"), read once.
#pragma once

#include <charconv>
#include <span>
#include <vector>

#include "stats/observation.h"

namespace sumvane {

inline std::vector<Observation> ObservationsOf(std::span<const double> values) {
  std::vector<Observation> observations;
  for (const double value : values) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof(text), value);
    observations.push_back(ReadObservation({text, written.ptr}));
  }
  return observations;
}

}  // namespace sumvane
