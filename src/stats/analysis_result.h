// What every analysis's result holds beside its own figures: the answer (P,
// which test gave it, the verdict), the question the critical-value table on
// show answers, and the figures as the panel shows them, which the clipboard
// copies. A panel computes its result once per change, at full precision, and
// its boxes, the table, the report, the pictures and the clipboard all read it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "stats/answers.h"
#include "stats/table_lookup.h"

namespace sumvane {

// Where the critical-value table on show points: the row of the degrees of
// freedom and the cells that bracket the statistic. A statistic is left out
// where the table does not give the answer (the exact test).
struct TableQuestion {
  CriticalTable table = CriticalTable::kT;
  std::optional<double> degrees;
  std::optional<double> statistic;
};

// A figure as its box shows it, under the caption the clipboard gives it.
struct ShownFigure {
  std::string caption;
  std::string text;
};

struct AnalysisResult {
  Alpha alpha = Alpha::kFivePercent;
  Answer answer;
  TableQuestion question;
  // The panel's figures in reading order, as shown.
  std::vector<ShownFigure> figures;
};

}  // namespace sumvane
