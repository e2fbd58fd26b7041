#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for a bounded time on the kept seed corpus.
# Any crash, leak or sanitizer report fails the run.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/setup.sh"
seconds="${CORVINA_FUZZ_SECONDS:-60}"
# Inputs up to four times the readers' 64 KiB read-ahead, so records and fields run across its edges.
longest=262144
build="${CORVINA_FUZZ_DIR:-$here/build-fuzz}"
CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCORVINA_FUZZ=ON -DCORVINA_UI=OFF -DCORVINA_TESTS=OFF -DCORVINA_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"
status=0
for harness in "$build"/fuzz/fuzz_*; do
  [ -x "$harness" ] || continue
  name="$(basename "$harness")"
  corpus="$here/fuzz/corpus/${name#fuzz_}"
  work="$(mktemp -d)"
  echo "fuzz: $name for ${seconds}s on $corpus"
  if ! (cd "$work" && "$harness" -max_total_time="$seconds" -max_len="$longest" -rss_limit_mb=2048 \
        -print_final_stats=1 "$work" "$corpus" >"$work/log" 2>&1); then
    tail -n 60 "$work/log"
    echo "fuzz: $name found a fault"
    status=1
  else
    # The closing figures: coverage, features and corpus, then the executions.
    grep -E 'DONE +cov:|stat::number_of_executed_units|Done' "$work/log" | tail -n 3 || true
  fi
  rm -rf "$work"
done
exit $status
