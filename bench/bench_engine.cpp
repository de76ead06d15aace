// The engine and the data files at the list's full size: the calculation of
// each analysis over the observations the list keeps, against a plain strtod
// pass over the same cells and a fixed bound; the list's reading of every
// cell; import and export of a full file against reading or writing the same
// bytes and splitting them into lines; and Fisher's exact P of the largest
// table.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bench_main.h"
#include "files/encoding.h"
#include "files/file_store.h"
#include "files/sample_file.h"
#include "marks.h"
#include "stats/exact_tests.h"
#include "workloads.h"

namespace sumvane::bench {
namespace {

const SampleList& FullList() {
  static const SampleList list = MakeList(kFullRows, kFullRows, kFullRows);
  return list;
}

// The real file operations without the flush to disk: a flush costs the same
// for a save and for its baseline and only adds the disk's noise to both.
class UnflushedFileOps : public FileOps {
 public:
  std::optional<Temporary> CreateTemporaryBeside(const std::string& target) override {
    return real_.CreateTemporaryBeside(target);
  }
  bool Write(int handle, std::string_view bytes) override { return real_.Write(handle, bytes); }
  bool Sync(int) override { return true; }
  bool Close(int handle) override { return real_.Close(handle); }
  bool Rename(const std::string& from, const std::string& to) override {
    return real_.Rename(from, to);
  }
  void Remove(const std::string& path) override { real_.Remove(path); }

 private:
  FileOps& real_ = DefaultFileOps();
};

// The file as the program writes it (GB18030), saved once for the import
// benchmarks.
const std::string& FullFilePath() {
  static const std::string path = [] {
    std::string p = ScratchPath("full.txt");
    if (!SaveSampleList(FullList(), p)) std::fprintf(stderr, "cannot write %s\n", p.c_str());
    return p;
  }();
  return path;
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      lines.push_back(bytes.substr(start, i - start));
      start = i + 1;
    }
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

void CalculateTwoSampleBench(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(CalculateTwoSample(FullList()));
}

void CalculatePairedBench(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(CalculatePaired(FullList()));
}

void CalculateRegressionBench(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(CalculateRegression(FullList()));
}

// Nine decimals beside ten-digit whole numbers in both groups: their squares
// pass 127 bits, so the sums take the big-integer path.
const SampleList& WideList() {
  static const SampleList list = [] {
    std::vector<SampleRow> rows;
    for (int row = 1; row <= kFullRows; ++row) {
      const long cents = std::lround(std::stod(CellText(row, 1)) * 100);
      char text[16];
      if (row % 2) {
        std::snprintf(text, sizeof(text), ".%09ld", cents);
      } else {
        std::snprintf(text, sizeof(text), "10000%05ld", cents);
      }
      rows.push_back({std::to_string(row), text, text});
    }
    SampleList wide;
    wide.Assign(std::move(rows));
    return wide;
  }();
  return list;
}

void CalculateWideBench(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(CalculateTwoSample(WideList()));
}

// What the list pays once per import, beyond the rows themselves: every cell
// read into an observation.
void ReadObservationsBench(benchmark::State& state) {
  std::vector<Observation> observations(2 * static_cast<std::size_t>(kFullRows));
  for (auto _ : state) {
    std::size_t i = 0;
    for (const SampleRow& row : FullList().Rows()) {
      observations[i++] = ReadObservation(row.group1);
      observations[i++] = ReadObservation(row.group2);
    }
    benchmark::DoNotOptimize(observations.data());
  }
}

void StrtodSumBench(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(StrtodSum(FullList()));
}

void ExportBench(benchmark::State& state) {
  UnflushedFileOps ops;
  const std::string path = ScratchPath("export.txt");
  for (auto _ : state) {
    if (!SaveSampleList(FullList(), path, ops)) state.SkipWithError("save failed");
  }
  std::remove(path.c_str());
}

void WriteLinesBench(benchmark::State& state) {
  UnflushedFileOps ops;
  const std::string path = ScratchPath("write-lines.txt");
  const std::optional<std::string> bytes = ReadWholeFile(FullFilePath());
  if (!bytes) {
    state.SkipWithError("no file");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(SplitLines(*bytes));
    if (!SaveBytesAtomically(path, *bytes, ops)) state.SkipWithError("write failed");
  }
  std::remove(path.c_str());
}

void ImportBench(benchmark::State& state) {
  const std::string& path = FullFilePath();
  for (auto _ : state) {
    auto rows = LoadSampleList(path);
    if (!rows || rows->size() != static_cast<std::size_t>(kFullRows)) {
      state.SkipWithError("load failed");
    }
    benchmark::DoNotOptimize(rows);
  }
}

// The two halves of an import, to tell where its time goes.
void DecodeBench(benchmark::State& state) {
  const std::optional<std::string> bytes = ReadWholeFile(FullFilePath());
  for (auto _ : state) benchmark::DoNotOptimize(DecodeFileText(*bytes));
}

void ParseBench(benchmark::State& state) {
  const std::string text = DecodeFileText(*ReadWholeFile(FullFilePath()));
  for (auto _ : state) benchmark::DoNotOptimize(ParseImportText(text));
}

void ReadLinesBench(benchmark::State& state) {
  const std::string& path = FullFilePath();
  for (auto _ : state) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(SplitLines(*bytes));
  }
}

// The longest support a table of the list's size can have: every margin near
// half of n = 32,767, so about 16,000 tables are weighed.
void FisherExactBench(benchmark::State& state) {
  const FourfoldCounts table{8000, 8383, 8192, 8192};
  for (auto _ : state) benchmark::DoNotOptimize(FisherExactP(table));
}

void Register(const char* name, void (*fn)(benchmark::State&)) {
  benchmark::RegisterBenchmark(name, fn)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(kRepetitions)
      ->DisplayAggregatesOnly(true)
      ->MinTime(0.2);
}

void Checks(const Medians& m) {
  const double strtod = MedianOf(m, "baseline/strtod_sum");
  const std::pair<const char*, const char*> analyses[] = {
      {"two_sample", "two-sample"}, {"paired", "paired"}, {"regression", "regression"}};
  for (const auto& [name, label] : analyses) {
    const double figure = MedianOf(m, std::string("calculate/") + name);
    const std::string what = std::string("calculate ") + label + ", 32767 rows";
    PrintRatioMark(what, figure, "strtod sum", strtod, 3.0);
    PrintBoundMark(what, figure, 0.3);
  }
  PrintRatioMark("calculate two-sample, past 127 bits", MedianOf(m, "calculate/wide"), "strtod sum",
                 strtod, 3.0);
  PrintRatioMark("read list into observations, 32767 rows", MedianOf(m, "list/read_observations"),
                 "strtod sum", strtod, 3.0);
  PrintRatioMark("import data layer, 32767 rows", MedianOf(m, "files/import"), "read + split lines",
                 MedianOf(m, "baseline/read_lines"), 3.0);
  PrintRatioMark("export data layer, 32767 rows", MedianOf(m, "files/export"),
                 "split lines + write", MedianOf(m, "baseline/write_lines"), 3.0);
  PrintBoundMark("Fisher exact P, n 32767, margins ~16384", MedianOf(m, "exact/fisher_32767"), 1.0);
}

}  // namespace
}  // namespace sumvane::bench

int main(int argc, char** argv) {
  using namespace sumvane::bench;
  Register("calculate/two_sample", CalculateTwoSampleBench);
  Register("calculate/paired", CalculatePairedBench);
  Register("calculate/regression", CalculateRegressionBench);
  Register("calculate/wide", CalculateWideBench);
  Register("list/read_observations", ReadObservationsBench);
  Register("baseline/strtod_sum", StrtodSumBench);
  Register("files/import", ImportBench);
  Register("baseline/read_lines", ReadLinesBench);
  Register("files/import_decode", DecodeBench);
  Register("files/import_parse", ParseBench);
  Register("files/export", ExportBench);
  Register("baseline/write_lines", WriteLinesBench);
  Register("exact/fisher_32767", FisherExactBench);
  const int result = RunBenchmarks(argc, argv, Checks);
  std::remove(FullFilePath().c_str());
  return result;
}
