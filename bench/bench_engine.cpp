// The engine and the data files at the list's full size: the calculation of
// each analysis over the observations the list keeps, against a plain strtod
// pass over the same cells and a fixed bound; the list's reading of every
// cell; import (in each encoding a file may come in, and as a table file) and
// export of a full file against reading or writing the same bytes and
// splitting them into lines; the paste and copy texts of a full list against
// the window's marks for the whole command; Fisher's exact P of the
// largest table; and the checks of a test's assumptions at the list's size
// against a plain sort of the same values, with Shapiro–Wilk at its largest
// size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "bench_main.h"
#include "entry/copy_text.h"
#include "entry/paste.h"
#include "files/csv_file.h"
#include "files/encoding.h"
#include "files/file_store.h"
#include "files/iconv_converter.h"
#include "files/sample_file.h"
#include "marks.h"
#include "stats/assumption_checks.h"
#include "stats/exact_tests.h"
#include "stats/moments.h"
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

enum class FullFile { kGb18030, kUtf8, kUtf16, kCsv };

// A full list's file, written once for the import benchmarks: as the program
// writes it (GB18030), as a text editor may save it (UTF-8, or UTF-16 with
// its mark), and as a table file.
const std::string& FullFilePath(FullFile kind) {
  static const std::map<FullFile, std::string> paths = [] {
    std::map<FullFile, std::string> p;
    const std::string utf8 = ExportText(FullList());
    std::string utf16 = "\xFF\xFE";
    IconvConverter("UTF-16LE", "UTF-8").ConvertStrict(utf8, utf16);
    const std::pair<FullFile, std::string> contents[] = {{FullFile::kGb18030, EncodeGb18030(utf8)},
                                                         {FullFile::kUtf8, utf8},
                                                         {FullFile::kUtf16, utf16},
                                                         {FullFile::kCsv, CsvText(FullList())}};
    for (const auto& [kind, bytes] : contents) {
      p[kind] = ScratchPath("full-" + std::to_string(static_cast<int>(kind)) + ".txt");
      if (!SaveBytesAtomically(p[kind], bytes)) {
        std::fprintf(stderr, "cannot write %s\n", p[kind].c_str());
      }
    }
    return p;
  }();
  return paths.at(kind);
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
  const std::optional<std::string> bytes = ReadWholeFile(FullFilePath(FullFile::kGb18030));
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

void ImportBench(benchmark::State& state, FullFile kind) {
  const std::string& path = FullFilePath(kind);
  for (auto _ : state) {
    ImportResult rows = kind == FullFile::kCsv ? LoadCsvFile(path) : LoadSampleList(path);
    if (rows.rows.size() != static_cast<std::size_t>(kFullRows)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(rows);
  }
}

// The two halves of an import, to tell where its time goes.
void DecodeBench(benchmark::State& state) {
  const std::optional<std::string> bytes = ReadWholeFile(FullFilePath(FullFile::kGb18030));
  for (auto _ : state) benchmark::DoNotOptimize(DecodeFileText(*bytes));
}

void ParseBench(benchmark::State& state) {
  const std::string text = DecodeFileText(*ReadWholeFile(FullFilePath(FullFile::kGb18030))).text;
  for (auto _ : state) benchmark::DoNotOptimize(ParseImportText(text));
}

void ReadLinesBench(benchmark::State& state, FullFile kind) {
  const std::string& path = FullFilePath(kind);
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

// The checks read the values of both full columns, as a change of the list
// hands them over.
std::vector<double> ColumnValues(int group) {
  const std::span<const Observation> cells = FullList().Observations(group, kFullRows);
  std::vector<double> values;
  values.reserve(cells.size());
  for (const Observation& cell : cells) values.push_back(cell.Value());
  return values;
}

const std::vector<double>& Column(int group) {
  static const std::vector<double> columns[] = {ColumnValues(1), ColumnValues(2)};
  return columns[group - 1];
}

// What the checks are held to: a plain sort of copies of both columns.
void SortColumnsBench(benchmark::State& state) {
  std::vector<double> copy;
  for (auto _ : state) {
    for (int group : {1, 2}) {
      copy.assign(Column(group).begin(), Column(group).end());
      std::sort(copy.begin(), copy.end());
      benchmark::DoNotOptimize(copy.data());
    }
  }
}

// Levene, the rank-sum, the signed-rank and Spearman's test for one change:
// each column sorted once and shared, the pair differences sorted once.
void FourChecksBench(benchmark::State& state) {
  for (auto _ : state) {
    const std::vector<double> first = ColumnValues(1);
    const std::vector<double> second = ColumnValues(2);
    const SortedSample group1(first);
    const SortedSample group2(second);
    const SortedSample differences(PairDifferences(FullList().Observations(1, kFullRows),
                                                   FullList().Observations(2, kFullRows)));
    benchmark::DoNotOptimize(BrownForsytheLevene(group1, group2));
    benchmark::DoNotOptimize(WilcoxonRankSum(group1, group2));
    benchmark::DoNotOptimize(WilcoxonSignedRank(differences));
    benchmark::DoNotOptimize(SpearmanCorrelation(group1, group2));
  }
}

// Each analysis's own checks for one change, with the Q–Q facts and
// Shapiro–Wilk's refusal past 5000 values.
void TwoSampleChecksBench(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(CheckTwoSamples(ColumnValues(1), ColumnValues(2)));
}

void PairedChecksBench(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(CheckPairs(PairDifferences(FullList().Observations(1, kFullRows),
                                                        FullList().Observations(2, kFullRows))));
  }
}

void CorrelationChecksBench(benchmark::State& state) {
  const FittedLine line =
      FitLine(FullList().Observations(1, kFullRows), FullList().Observations(2, kFullRows));
  for (auto _ : state) {
    benchmark::DoNotOptimize(CheckCorrelation(ColumnValues(1), ColumnValues(2), line));
  }
}

// Shapiro–Wilk at the largest size it is computed for, from the sorted
// values (the sort is shared with the other checks).
void ShapiroWilkBench(benchmark::State& state) {
  const SortedSample sample(std::span(Column(1)).first(kShapiroWilkMaxSize));
  for (auto _ : state) benchmark::DoNotOptimize(ShapiroWilk(sample));
}

// A spreadsheet's copy of two full columns, pasted into an empty list.
void PasteBench(benchmark::State& state) {
  std::string text;
  for (int row = 1; row <= kFullRows; ++row) {
    text += CellText(row, 1) + "\t" + CellText(row, 2) + "\r\n";
  }
  const SampleList empty;
  for (auto _ : state) {
    const ListPaste paste = ParseListPaste(text);
    const auto* columns = std::get_if<PasteColumns>(&paste);
    if (columns == nullptr) {
      state.SkipWithError("paste refused");
      break;
    }
    auto pasted = PasteIntoList(empty, *columns, 1);
    const auto* list = std::get_if<PastedList>(&pasted);
    if (list == nullptr || list->rows.size() != static_cast<std::size_t>(kFullRows)) {
      state.SkipWithError("paste not applied");
    }
    benchmark::DoNotOptimize(pasted);
  }
}

void CopyBench(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ListCopyText(FullList()));
}

template <typename Function, typename... Args>
void Register(const char* name, Function fn, Args... args) {
  benchmark::RegisterBenchmark(name, fn, args...)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(kRepetitions)
      ->DisplayAggregatesOnly(true)
      ->MinTime(0.2);
}

// What the window may take for the whole command; the data layer's part
// should be small beside it: a fifth at most.
constexpr double kWindowPasteMark = 100.0;
constexpr double kWindowCopyMark = 50.0;
constexpr double kDataLayerShare = 0.2;
// Shapiro–Wilk of both groups must leave most of a 16 ms frame to the rest.
constexpr double kShapiroWilkMark = 1.0;

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
  for (const char* encoding : {"gb18030", "utf8", "utf16"}) {
    PrintRatioMark(std::string("import data layer ") + encoding + ", 32767 rows",
                   MedianOf(m, std::string("files/import_") + encoding), "read + split lines",
                   MedianOf(m, std::string("baseline/read_lines_") + encoding), 3.0);
  }
  // A table file is split into fields and every value checked as a number,
  // which the text file's fixed columns spare; it is held to the text file.
  PrintRatioMark("import data layer csv, 32767 rows", MedianOf(m, "files/import_csv"),
                 "text-file import", MedianOf(m, "files/import_gb18030"), 3.0);
  PrintRatioMark("export data layer, 32767 rows", MedianOf(m, "files/export"),
                 "split lines + write", MedianOf(m, "baseline/write_lines"), 3.0);
  PrintBoundMark("Fisher exact P, n 32767, margins ~16384", MedianOf(m, "exact/fisher_32767"), 1.0);
  const double sort = MedianOf(m, "baseline/sort_columns");
  PrintRatioMark("checks: Levene, rank-sum, signed-rank, Spearman", MedianOf(m, "checks/four"),
                 "std::sort of both columns", sort, 2.0);
  for (const char* analysis : {"two_sample", "paired", "correlation"}) {
    PrintRatioMark(std::string("checks of one change, ") + analysis,
                   MedianOf(m, std::string("checks/") + analysis), "std::sort of both columns",
                   sort, 2.0);
  }
  PrintBoundMark("Shapiro-Wilk, n 5000, sorted", MedianOf(m, "checks/shapiro_wilk_5000"),
                 kShapiroWilkMark);
  PrintBoundMark("paste parse + apply, 32767 rows (window 100 ms)", MedianOf(m, "entry/paste"),
                 kWindowPasteMark * kDataLayerShare);
  PrintBoundMark("copy text, 32767 rows (window 50 ms)", MedianOf(m, "entry/copy"),
                 kWindowCopyMark * kDataLayerShare);
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
  const std::pair<const char*, FullFile> files[] = {{"gb18030", FullFile::kGb18030},
                                                    {"utf8", FullFile::kUtf8},
                                                    {"utf16", FullFile::kUtf16},
                                                    {"csv", FullFile::kCsv}};
  for (const auto& [name, kind] : files) {
    Register((std::string("files/import_") + name).c_str(), ImportBench, kind);
    if (kind != FullFile::kCsv) {
      Register((std::string("baseline/read_lines_") + name).c_str(), ReadLinesBench, kind);
    }
  }
  Register("files/import_decode", DecodeBench);
  Register("files/import_parse", ParseBench);
  Register("files/export", ExportBench);
  Register("baseline/write_lines", WriteLinesBench);
  Register("exact/fisher_32767", FisherExactBench);
  Register("baseline/sort_columns", SortColumnsBench);
  Register("checks/four", FourChecksBench);
  Register("checks/two_sample", TwoSampleChecksBench);
  Register("checks/paired", PairedChecksBench);
  Register("checks/correlation", CorrelationChecksBench);
  Register("checks/shapiro_wilk_5000", ShapiroWilkBench);
  Register("entry/paste", PasteBench);
  Register("entry/copy", CopyBench);
  const int result = RunBenchmarks(argc, argv, Checks);
  for (const auto& [name, kind] : files) std::remove(FullFilePath(kind).c_str());
  return result;
}
