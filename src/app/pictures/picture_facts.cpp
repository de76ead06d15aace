#include "app/pictures/picture_facts.h"

#include <cmath>

#include "stats/number.h"

namespace sumvane {

DataFacts TablePictureFacts(const std::array<std::string, 4>& cells,
                            const std::array<std::string, 2>& rowCaptions) {
  DataFacts facts;
  facts.kind = DataFacts::Kind::kRowProportions;
  for (int i = 0; i < 4; ++i) facts.cells[i] = cells[i].empty() ? 0.0 : ReadNumber(cells[i]);
  facts.rowCaptions = rowCaptions;
  return facts;
}

}  // namespace sumvane
