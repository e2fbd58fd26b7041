#!/usr/bin/env bash
# scripts/run.sh --help and --version: answered by the build there is without setting up, building
# or installing anything (a stand-in program and a cmake that must not be called prove it), and with
# no build yet, the usage from the source and a word on how to build.
#
#   run_answers.sh SOURCE_DIR
set -euo pipefail
source_dir="$1"
source "$(dirname "${BASH_SOURCE[0]}")/check_helpers.sh" "run.sh answers" run

# Anything that would set up or build calls cmake: this one leaves a mark instead.
mkdir -p "$work/bin"
printf '#!/bin/sh\ntouch "%s/built"\nexit 1\n' "$work" >"$work/bin/cmake"
chmod +x "$work/bin/cmake"
mkdir -p "$work/built-build/src/shell/main"
printf '#!/bin/sh\necho "the built program: $*"\n' >"$work/built-build/src/shell/main/corvina"
chmod +x "$work/built-build/src/shell/main/corvina"
mkdir -p "$work/no-build"

answer() {
  local build="$1"
  shift
  status=0
  CORVINA_BUILD_DIR="$build" PATH="$work/bin:$PATH" bash "$source_dir/scripts/run.sh" "$@" \
    >"$work/out" 2>"$work/err" || status=$?
  [ ! -e "$work/built" ] || fail "run.sh $* set up or built"
}

answer "$work/built-build" --version
[ "$status" -eq 0 ] && [ "$(cat "$work/out")" = "the built program: --version" ] ||
  fail "--version with a build: status $status, $(cat "$work/out" "$work/err")"
# The program reads the whole line, so an option before --help is its own to judge.
answer "$work/built-build" --scale 2 --help
[ "$status" -eq 0 ] && [ "$(cat "$work/out")" = "the built program: --scale 2 --help" ] ||
  fail "--help with a build: status $status, $(cat "$work/out" "$work/err")"

answer "$work/no-build" --help
[ "$status" -eq 0 ] || fail "--help without a build ended with $status"
cmp -s "$work/out" "$source_dir/src/shell/main/usage.txt" || fail "--help without a build: $(cat "$work/out")"
grep -qF 'bash scripts/run.sh` builds it' "$work/err" || fail "--help without a build says $(cat "$work/err")"
answer "$work/no-build" --version
[ "$status" -eq 1 ] || fail "--version without a build ended with $status"
[ ! -s "$work/out" ] || fail "--version without a build printed $(cat "$work/out")"
grep -qF "not built yet in $work/no-build" "$work/err" || fail "--version without a build says $(cat "$work/err")"
echo "run.sh answers: all well"
