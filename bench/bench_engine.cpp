// The engine and the data files at the list's full size: the calculation of
// each analysis against a plain strtod pass over the same cells, and import
// and export of a full file against reading or writing the same bytes and
// splitting them into lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "bench_main.h"
#include "files/encoding.h"
#include "files/file_store.h"
#include "files/sample_file.h"
#include "marks.h"
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
    ImportResult rows = LoadSampleList(path);
    if (rows.rows.size() != static_cast<std::size_t>(kFullRows)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(rows);
  }
}

// The two halves of an import, to tell where its time goes.
void DecodeBench(benchmark::State& state) {
  const std::optional<std::string> bytes = ReadWholeFile(FullFilePath());
  for (auto _ : state) benchmark::DoNotOptimize(DecodeFileText(*bytes));
}

void ParseBench(benchmark::State& state) {
  const std::string text = DecodeFileText(*ReadWholeFile(FullFilePath())).text;
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

void Register(const char* name, void (*fn)(benchmark::State&)) {
  benchmark::RegisterBenchmark(name, fn)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(kRepetitions)
      ->DisplayAggregatesOnly(true)
      ->MinTime(0.2);
}

void Checks(const Medians& m) {
  const double strtod = MedianOf(m, "baseline/strtod_sum");
  PrintRatioMark("calculate two-sample, 32767 rows", MedianOf(m, "calculate/two_sample"),
                 "strtod sum", strtod, 3.0);
  PrintRatioMark("calculate paired, 32767 rows", MedianOf(m, "calculate/paired"), "strtod sum",
                 strtod, 3.0);
  PrintRatioMark("calculate regression, 32767 rows", MedianOf(m, "calculate/regression"),
                 "strtod sum", strtod, 3.0);
  PrintRatioMark("import data layer, 32767 rows", MedianOf(m, "files/import"), "read + split lines",
                 MedianOf(m, "baseline/read_lines"), 3.0);
  PrintRatioMark("export data layer, 32767 rows", MedianOf(m, "files/export"),
                 "split lines + write", MedianOf(m, "baseline/write_lines"), 3.0);
}

}  // namespace
}  // namespace sumvane::bench

int main(int argc, char** argv) {
  using namespace sumvane::bench;
  Register("calculate/two_sample", CalculateTwoSampleBench);
  Register("calculate/paired", CalculatePairedBench);
  Register("calculate/regression", CalculateRegressionBench);
  Register("baseline/strtod_sum", StrtodSumBench);
  Register("files/import", ImportBench);
  Register("baseline/read_lines", ReadLinesBench);
  Register("files/import_decode", DecodeBench);
  Register("files/import_parse", ParseBench);
  Register("files/export", ExportBench);
  Register("baseline/write_lines", WriteLinesBench);
  const int result = RunBenchmarks(argc, argv, Checks);
  std::remove(FullFilePath().c_str());
  return result;
}
