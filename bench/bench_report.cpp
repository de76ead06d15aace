// The worked report of each analysis with the result it is built from, as
// the window forms them on a change. The fourfold tables are the largest the list allows,
// where the exact test beside chi-square weighs the most tables; each report
// must be ready within 5 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_main.h"
#include "marks.h"
#include "report/reports.h"
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
  return RunBenchmarks(argc, argv, Checks);
}
