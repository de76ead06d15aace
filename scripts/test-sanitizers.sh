#!/usr/bin/env bash
# Builds every target and test with clang under AddressSanitizer (leaks
# included) and UndefinedBehaviorSanitizer in build-asan/, then runs the whole
# test suite there. Any report stops the test that raised it, so a single
# report fails the run. Re-running reuses the build folder.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ASAN_BUILD:-$root/build-asan}"
jobs="${JOBS:-$(nproc)}"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

# -O1 keeps the instrumented suite quick; Debug keeps the assertions on.
export CC=clang CXX=clang++
cmake -S "$root" -B "$build" \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-O1 $sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" \
  -DCMAKE_SHARED_LINKER_FLAGS="$sanitize" \
  -DSUMVANE_BUILD_APP=ON -DSUMVANE_BUILD_TESTS=ON -DSUMVANE_WERROR=ON

# Test discovery runs the test programs during the build, so the options apply
# there too.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
symbolizer="$(command -v llvm-symbolizer || true)"
[ -z "$symbolizer" ] && [ -x /usr/lib/llvm-14/bin/llvm-symbolizer ] &&
  symbolizer=/usr/lib/llvm-14/bin/llvm-symbolizer
[ -n "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH="$symbolizer"
[ -z "${QT_QPA_PLATFORM:-}" ] && export QT_QPA_PLATFORM=offscreen

cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
