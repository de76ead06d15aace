// The worked report of each analysis with the result it is built from, as
// the window forms them on a change. The fourfold tables are the largest the list allows,
// where the exact test beside chi-square weighs the most tables; each report
// must be ready within 5 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_main.h"
#include "marks.h"
#include "report/reports.h"
#include "report/sample_size_report.h"
#include "stats/fourfold.h"

namespace sumvane::bench {
namespace {

constexpr double kReportBound = 5.0;  // ms

void TwoSampleBench(benchmark::State& state) {
  for (auto _ : state) {
    auto typed = [](const char* text) { return PanelFigure::Typed(text); };
    benchmark::DoNotOptimize(TwoSampleReport(AnalyseTwoSample(
        {{{typed("20"), typed("1"), typed("10")}, {typed("18"), typed("4"), typed("10")}}},
        Alpha::kFivePercent)));
  }
}

void PairedBench(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        PairedReport(AnalysePaired({.n = PanelFigure::Typed("10"),
                                    .meanDifference = PanelFigure::Typed("2.5"),
                                    .sdDifference = PanelFigure::Typed("3.2")},
                                   Alpha::kFivePercent)));
  }
}

void CorrelationBench(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(CorrelationReport(AnalyseCorrelation(
        {.n = PanelFigure::Typed("5"), .r = PanelFigure::Typed("0.774596669241483")},
        Alpha::kFivePercent)));
  }
}

// n = 32,767 with every margin near half: Fisher's exact P weighs about 16,000
// tables.
void ChiSquareBench(benchmark::State& state) {
  const FourfoldCells cells{"8000", "8383", "8192", "8192"};
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        ChiSquareReport(AnalyseChiSquare(TableOf(cells), std::nullopt, Alpha::kFivePercent)));
  }
}

// 32,767 discordant pairs for the exact binomial test.
void PairedChiSquareBench(benchmark::State& state) {
  const FourfoldCells cells{"0", "16383", "16384", "0"};
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        PairedChiSquareReport(AnalysePairedChiSquare(TableOf(cells), Alpha::kFivePercent)));
  }
}

// One keystroke in the sample-size window: the boxes read and checked, the
// plan with the exact noncentral-t search, the page written. Two means with
// k = 0.1 and a small effect make the longest search (n1 near 11,600, the
// whole size found by halving); paired means at a given n weigh the series
// at few degrees of freedom; two rates have no search.
void SampleSizeBench(benchmark::State& state, StudyDesign design, SampleSizeTexts texts) {
  for (auto _ : state)
    benchmark::DoNotOptimize(
        SampleSizeReport(AnswerSampleSize(design, TestSides::kTwoSided, texts)));
}

void Register(const char* name, void (*fn)(benchmark::State&)) {
  benchmark::RegisterBenchmark(name, fn)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(kRepetitions)
      ->DisplayAggregatesOnly(true)
      ->MinTime(0.1);
}

void Checks(const Medians& m) {
  PrintBoundMark("report two-sample t", MedianOf(m, "report/two_sample"), kReportBound);
  PrintBoundMark("report paired t", MedianOf(m, "report/paired"), kReportBound);
  PrintBoundMark("report correlation", MedianOf(m, "report/correlation"), kReportBound);
  PrintBoundMark("report chi-square, n 32767", MedianOf(m, "report/chi_square_32767"),
                 kReportBound);
  PrintBoundMark("report paired chi-square, b+c 32767",
                 MedianOf(m, "report/paired_chi_square_32767"), kReportBound);
  for (const char* name : {"two_means_k", "paired_at_n", "two_rates"}) {
    PrintBoundMark(std::string("sample-size keystroke, ") + name,
                   MedianOf(m, std::string("sample_size/") + name), 1.0);
  }
}

}  // namespace
}  // namespace sumvane::bench

int main(int argc, char** argv) {
  using namespace sumvane::bench;
  Register("report/two_sample", TwoSampleBench);
  Register("report/paired", PairedBench);
  Register("report/correlation", CorrelationBench);
  Register("report/chi_square_32767", ChiSquareBench);
  Register("report/paired_chi_square_32767", PairedChiSquareBench);
  Register("sample_size/two_means_k", [](benchmark::State& s) {
    SampleSizeBench(s, sumvane::StudyDesign::kTwoMeans,
                    {"0.05", "0.9", "0.1", "1", "", "", "", "0.1", ""});
  });
  Register("sample_size/paired_at_n", [](benchmark::State& s) {
    SampleSizeBench(s, sumvane::StudyDesign::kPairedMeans,
                    {"0.01", "0.95", "1", "1.2", "", "", "", "", "20"});
  });
  Register("sample_size/two_rates", [](benchmark::State& s) {
    SampleSizeBench(s, sumvane::StudyDesign::kTwoRates,
                    {"0.05", "0.9", "", "", "0.3", "0.4", "", "", "100"});
  });
  return RunBenchmarks(argc, argv, Checks);
}
