// Start-up as the user sees it: each program runs as its own process under the
// offscreen platform, from exec to exit right after its first window is
// shown. The Form1 program is compared with a bare QMainWindow that shows a
// line in each face and size of Form1's first screen, started the same way, so
// that the mark measures what the window adds and not what its fonts cost; the
// runs of the programs alternate so that all meet the same load. Peak resident
// memory comes from the kernel's account of each child, against the bare
// window without text.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/sample_file.h"
#include "marks.h"
#include "workloads.h"

namespace sumvane::bench {
namespace {

struct Sample {
  double milliseconds = 0;
  double megabytes = 0;  // peak resident set
};

struct Program {
  std::string name;
  std::vector<std::string> argv;
  std::vector<Sample> samples;
};

bool RunOnce(Program& program, bool keep) {
  std::vector<char*> args;
  for (std::string& arg : program.argv) args.push_back(arg.data());
  args.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return false;
  const auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed (status %d)\n", program.name.c_str(), status);
    return false;
  }
  if (keep) {
    program.samples.push_back({std::chrono::duration<double, std::milli>(end - start).count(),
                               static_cast<double>(usage.ru_maxrss) / 1024.0});
  }
  return true;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2.0;
}

double MedianTime(const Program& p) {
  std::vector<double> v;
  for (const Sample& s : p.samples) v.push_back(s.milliseconds);
  return Median(v);
}

double MedianMemory(const Program& p) {
  std::vector<double> v;
  for (const Sample& s : p.samples) v.push_back(s.megabytes);
  return Median(v);
}

// Writes the full file from a short-lived child, so that the list never
// enlarges this process, whose pages every forked child starts with.
bool WriteFullFile(const std::string& path) {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) _exit(SaveSampleList(MakeList(kFullRows, kFullRows, kFullRows), path) ? 0 : 1);
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace
}  // namespace sumvane::bench

int main(int argc, char** argv) {
  using namespace sumvane::bench;
  const int repetitions = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);

  const std::string file = ScratchPath("startup-full.txt");
  if (!WriteFullFile(file)) {
    std::fprintf(stderr, "cannot write %s\n", file.c_str());
    return 1;
  }
  std::vector<Program> programs = {
      {"bare QMainWindow", {SUMVANE_STARTUP_BARE}, {}},
      {"Form1", {SUMVANE_STARTUP_FORM1}, {}},
      {"Form1 with full list", {SUMVANE_STARTUP_FORM1, file}, {}},
      {"full list + 100 undo steps", {SUMVANE_STARTUP_FORM1, file, "100"}, {}},
      // The start-up baseline; one label alone is what loading a face costs.
      {"bare + the window's faces", {SUMVANE_STARTUP_BARE, "--faces"}, {}},
      {"bare + one label", {SUMVANE_STARTUP_BARE, "--label"}, {}},
  };
  rusage self{};
  getrusage(RUSAGE_SELF, &self);

  bool ok = true;
  // One unmeasured round brings the libraries and the file into the page cache.
  for (Program& p : programs) ok = RunOnce(p, false) && ok;
  for (int round = 0; ok && round < repetitions; ++round) {
    // Rotate the order so that no program always runs right after another.
    for (std::size_t i = 0; i < programs.size(); ++i) {
      ok = RunOnce(programs[(round + i) % programs.size()], true) && ok;
    }
  }
  std::remove(file.c_str());
  if (!ok) return 1;

  std::printf("start-up, %d runs each (driver's own peak %.1f MB)\n", repetitions,
              static_cast<double>(self.ru_maxrss) / 1024.0);
  std::printf("%-26s %12s %12s %12s %14s\n", "program", "median ms", "min ms", "max ms",
              "median peak MB");
  for (const Program& p : programs) {
    double lo = p.samples.front().milliseconds, hi = lo;
    for (const Sample& s : p.samples) {
      lo = std::min(lo, s.milliseconds);
      hi = std::max(hi, s.milliseconds);
    }
    std::printf("%-26s %12.1f %12.1f %12.1f %14.1f\n", p.name.c_str(), MedianTime(p), lo, hi,
                MedianMemory(p));
  }
  std::printf("\n");

  const double bareMemory = MedianMemory(programs[0]);
  PrintRatioMark("start-up to first shown Form1", MedianTime(programs[1]), "bare + its faces",
                 MedianTime(programs[4]), 1.5);
  PrintDerivedMark("peak memory, Form1 with full list", MedianMemory(programs[2]),
                   "bare QMainWindow", bareMemory, 1.5 * bareMemory + 20.0, "1.5x + 20 MB", "MB");
  PrintRatioMark("peak memory, full list + 100 undo steps", MedianMemory(programs[3]),
                 "Form1 with full list", MedianMemory(programs[2]), 2.0, "MB");
  return 0;
}
