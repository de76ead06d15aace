#include "stats/picture_facts.h"

#include <cmath>
#include <utility>

#include "stats/number.h"

namespace sumvane {

namespace {

DataFacts TableFacts(DataFacts::Kind kind, const std::array<std::string, 4>& cells,
                     const std::array<std::string, 2>& captions) {
  DataFacts facts;
  facts.kind = kind;
  for (int i = 0; i < 4; ++i) facts.cells[i] = cells[i].empty() ? 0.0 : ReadNumber(cells[i]);
  facts.captions = captions;
  return facts;
}

}  // namespace

DataFacts TablePictureFacts(const std::array<std::string, 4>& cells,
                            const std::array<std::string, 2>& rowCaptions) {
  return TableFacts(DataFacts::Kind::kRowProportions, cells, rowCaptions);
}

DataFacts PairedTablePictureFacts(const std::array<std::string, 4>& cells,
                                  const std::array<std::string, 2>& measurements,
                                  std::string positive) {
  DataFacts facts = TableFacts(DataFacts::Kind::kPairedProportions, cells, measurements);
  facts.positive = std::move(positive);
  return facts;
}

}  // namespace sumvane
