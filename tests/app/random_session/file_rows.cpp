#include "random_session/file_rows.h"

#include <QList>
#include <algorithm>
#include <iterator>

namespace sumvane::session {

bool GbLosesIt(char32_t c) {
  static const char32_t kLost[] = {0xE816, 0xE817, 0xE818, 0xE81E, 0xE826, 0xE82B, 0xE82C,
                                   0xE831, 0xE832, 0xE83B, 0xE843, 0xE854, 0xE855, 0xE864};
  return (c >= 0xE78D && c <= 0xE796) ||
         std::find(std::begin(kLost), std::end(kLost), c) != std::end(kLost);
}

bool SurvivesTheFile(const Rows& rows) {
  auto fits = [](const std::string& s) {
    const QList<uint> characters = Qt8(s).toUcs4();
    return (s.empty() || (s.front() != ' ' && s.back() != ' ')) &&
           std::none_of(characters.begin(), characters.end(), GbLosesIt);
  };
  return std::all_of(rows.begin(), rows.end(), [&](const SampleRow& row) {
    return CodePoints(row.label) <= 9 && CodePoints(row.group1) <= 16 && fits(row.label) &&
           fits(row.group1) && fits(row.group2);
  });
}

}  // namespace sumvane::session
