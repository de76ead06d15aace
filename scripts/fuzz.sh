#!/usr/bin/env bash
# Builds the libFuzzer targets into build-fuzz/ and runs each for
# FUZZ_SECONDS (60 by default), starting from its committed seed corpus.
# New inputs go to build-fuzz/corpus/<target>/, so the committed seeds stay as
# they are; a crash leaves its input in build-fuzz/findings/<target>/ and
# fails the run. Names given as arguments run only those targets.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${FUZZ_BUILD:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(read_number number_text import_text import_csv paste_text)

# The libraries get coverage and sanitizers too; only the fuzz programs link
# the libFuzzer main.
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$root" -B "$build" \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DSUMVANE_BUILD_FUZZ=ON -DSUMVANE_BUILD_APP=OFF -DSUMVANE_BUILD_TESTS=OFF
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  log="$build/fuzz-$target.log"
  echo "== $target: ${seconds} s"
  if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
    echo "   $(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}') executions," \
         "corpus $(ls "$corpus" | wc -l) inputs"
  else
    status=1
    echo "   FAILED; last lines of $log:"
    tail -n 30 "$log"
  fi
done
exit $status
