#!/usr/bin/env bash
# Builds the tests with address and undefined-behaviour sanitizers and runs them (not the end-to-end
# ones, nor the package, which is made from a Release build the sanitizers have no part in, nor the
# checks of the scripts and the README, which look at the installed programs and the benchmarks that
# this build leaves out; scripts/test.sh runs them all).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/setup.sh"
build="${CORVINA_SANITIZE_DIR:-$here/build-sanitize}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVINA_SANITIZE=ON -DCORVINA_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"
cd "$build"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600 -LE "e2e|package|scripts"
