#!/usr/bin/env bash
# Builds the benchmarks in an optimised build of their own and runs them. Every
# figure is printed next to the baseline it is measured against in the same
# run, with PASS or MISS for its mark; a missed mark does not fail the run,
# only a build or a benchmark program that fails does. Arguments are passed
# to the Google Benchmark programs (e.g. --benchmark_filter=enter).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-bench"
jobs="${JOBS:-$(nproc)}"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DSUMVANE_BUILD_BENCH=ON -DSUMVANE_BUILD_TESTS=OFF
cmake --build "$build" -j "$jobs" --target bench_engine bench_report bench_window \
  bench_startup

export QT_QPA_PLATFORM=offscreen
log="$(mktemp)"
cleanup=("$log")
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  # Qt warns on every start without one; the start-up runs would repeat it.
  XDG_RUNTIME_DIR="$(mktemp -d)"
  chmod 700 "$XDG_RUNTIME_DIR"
  export XDG_RUNTIME_DIR
  cleanup+=("$XDG_RUNTIME_DIR")
fi
# The windows' recovery journals go to a folder of the run's own.
XDG_DATA_HOME="$(mktemp -d)"
export XDG_DATA_HOME
cleanup+=("$XDG_DATA_HOME")
trap 'rm -rf "${cleanup[@]}"' EXIT

run() {
  echo
  echo "== $1"
  "$build/bench/$1" "${@:2}" | tee -a "$log"
}

run bench_engine "$@"
run bench_report "$@"
run bench_window "$@"
run bench_startup

echo
echo "== Marks (figure, baseline, ratio, mark, result)"
grep '^MARK ' "$log" | sed 's/^MARK /  /'
