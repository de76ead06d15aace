// What the report's two pictures are drawn from, as the panel on show has it:
// the test under its null hypothesis (the statistic, its degrees of freedom,
// α, P and the test it comes from, and the support of the exact test when that
// is the one used), and the data (the list's values, the table's counts, or
// the summary figures typed into the panel).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "stats/answer_text.h"
#include "stats/exact_tests.h"
#include "stats/qq_facts.h"
#include "stats/regression_bands.h"

namespace sumvane {

struct TestFacts {
  enum class Law { kT, kChiSquare };
  Law law = Law::kT;
  // t as the panel shows it (the t of r for a correlation), or chi-square.
  std::optional<double> statistic;
  std::optional<double> degrees;
  double alpha = 0.05;
  std::optional<double> p;
  // The test P comes from: Welch's t′ and ν′ then stand in statistic and
  // degrees.
  PSource source = PSource::kStatistic;
  // Set when P is Fisher's exact probability rather than that of chi-square.
  std::optional<ExactTestSupport> exact;
};

// A group's mean, standard deviation and size as the panel shows them.
struct GroupFigures {
  std::optional<double> mean, sd, n;
};

struct DataFacts {
  enum class Kind {
    kNone,
    kGroups,             // x and y: the two groups' values
    kDifferences,        // x and y: the pairs, drawn as x - y
    kScatter,            // x and y: the pairs
    kRowProportions,     // cells: each row's proportion positive
    kPairedProportions,  // cells: each measurement's proportion positive
    kSummaryMeans,       // summary: typed figures, no list
  };
  Kind kind = Kind::kNone;
  std::vector<double> x, y;
  // The fourfold table a, b, c, d; its rows' captions, or for a paired table
  // the captions of its two measurements (the rows', then the columns'), with
  // the caption of a positive result.
  std::array<double, 4> cells{};
  std::array<std::string, 2> captions{};
  std::string positive;
  std::array<GroupFigures, 2> summary{};
  // The regression equation as the panel shows it.
  std::string equation;
  // The scatter's 95 % bands of the line and of one Y, when the list's pairs
  // give them.
  std::vector<BandPoint> bands;
};

// A normal Q–Q picture of the values a normality check tested, with what
// they are ("差值", "残差").
struct QqPictureFacts {
  std::string what;
  QqFacts facts;
};

// A row of a forest picture: an effect with its 95% interval.
struct ForestRow {
  std::string name;  // "OR（Woolf法）"
  double estimate = 0.0, lower = 0.0, upper = 0.0;
};

// Effects that share a scale, with their line of no effect: ratios (OR, RR)
// on a logarithmic scale about 1, differences (RD) about 0.
struct ForestFacts {
  std::string title;
  bool logScale = false;
  double noEffect = 0.0;
  std::vector<ForestRow> rows;
};

struct PictureFacts {
  TestFacts test;
  DataFacts data;
  // The Q–Q pictures of the report's check of normality; none without the
  // list's values.
  std::vector<QqPictureFacts> qq;
  // The forest pictures of the report's effects, one per scale.
  std::vector<ForestFacts> forests;
};

// A fourfold table's cells as their boxes hold them (an empty box reads 0),
// drawn as the proportion positive in each row.
DataFacts TablePictureFacts(const std::array<std::string, 4>& cells,
                            const std::array<std::string, 2>& rowCaptions);
// A paired table's cells, drawn as the proportion positive by each
// measurement, (a + b) / n against (a + c) / n, which differ only by the
// discordant pairs b and c.
DataFacts PairedTablePictureFacts(const std::array<std::string, 4>& cells,
                                  const std::array<std::string, 2>& measurements,
                                  std::string positive);

}  // namespace sumvane
