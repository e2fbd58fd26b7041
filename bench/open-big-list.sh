#!/usr/bin/env bash
# Times the whole program opening one big list, as a user waits for it: start, tap the list's row,
# Enter, the editor's first paint, the picture written, the end (`corvina --screenshot`, off screen).
# Beside it, as the baseline of the same run, the program showing only the document list.
#
#   bench/open-big-list.sh [ITEMS] [VOCABULARY] [RUNS] [BUILD_DIR]
#   (defaults: 100000 items, 50000 words, 5 runs, build)
#
# VOCABULARY is a number of made-up words (titles of 2 to 9 of them), or "ordinary" for the
# everyday titles of bench/make-ordinary-list.py (2 to 6 words of 90). Either list has three levels
# (a top-level item every 50, a level-1 item every 10) and notes on one item in ten. Prints each
# run's wall time, CPU time (user and system) and peak memory, then the least and the median of each.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
items="${1:-100000}"
vocabulary="${2:-50000}"
runs="${3:-5}"
build="${4:-$here/build}"
corvina="$build/src/shell/main/corvina"
tool="$build/tools/corvina-tool"
# The big list's name sorts before the sample lists, so it is the first row.
first_row=60,55
for program in "$corvina" "$tool" /usr/bin/time; do
  [ -x "$program" ] || { echo "open-big-list: $program is missing (build the program first)" >&2; exit 1; }
done

scratch="$(mktemp -d "${TMPDIR:-/tmp}/corvina-big.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
device="$scratch/device"
# The program's first run installs it into the device, with its sample lists.
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch" "$corvina" --device-root "$device" --scale 1 \
  --screenshot "$scratch/shot.png"
lists="$device/Program Files/Corvina/Lists"
[ -d "$lists" ] || { echo "open-big-list: the first run made no Lists folder ($lists)" >&2; exit 1; }

if [ "$vocabulary" = ordinary ]; then
  python3 "$here/bench/make-ordinary-list.py" "$items" "$scratch/big.txt"
else
  # Tab-separated text (depth, title, importance, checked, notes, quantity).
  python3 - "$items" "$vocabulary" >"$scratch/big.txt" <<'PY'
import random, sys
items, size = int(sys.argv[1]), int(sys.argv[2])
consonants, vowels = "bcdfghjklmnpqrstvwxyz", "aeiou"
def word(n):
    letters = []
    while True:
        n, syllable = divmod(n, len(consonants) * len(vowels))
        letters += [consonants[syllable // len(vowels)], vowels[syllable % len(vowels)]]
        if n == 0:
            return "".join(letters) + "nrst"[len(letters) % 4]
words = [word(i * 7919 + 104729) for i in range(size)]
pick = random.Random(16)
out = []
for i in range(items):
    depth = 0 if i % 50 == 0 else 1 if i % 10 == 0 else 2
    title = " ".join(pick.choice(words) for _ in range(pick.randint(2, 9)))
    notes = "Ask for the fresh one" if i % 10 == 0 else ""
    out.append(f"{depth}\t{title}\t{i % 3}\t{int(i % 3 == 0)}\t{notes}\t{i % 7 + 1}\n")
sys.stdout.write("".join(out))
PY
fi
"$tool" import "$scratch/big.txt" "$lists/Big.crv" >/dev/null
rm "$scratch/big.txt"

# Runs the program `runs` times with the tour steps given; prints "wall user system peak_KiB" a line.
measure() {
  for _ in $(seq "$runs"); do
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch" /usr/bin/time -f "%e %U %S %M" -o "$scratch/time" \
      "$corvina" --device-root "$device" --scale 1 --screenshot "$scratch/shot.png" "$@"
    tail -n 1 "$scratch/time"
  done
}

# The least and the median of a column of numbers.
summary() {
  sort -g | awk '{ v[NR] = $1 } END { printf "min %.2f, median %.2f", v[1], v[int((NR + 1) / 2)] }'
}

# On a shared machine the wall time waits for other work too; the CPU time is the program's own.
report() {
  local what="$1" results="$2"
  echo "$what:"
  echo "$results" | awk '{ printf "  %6.2f s wall, %6.2f s CPU, %8.1f MiB peak\n", $1, $2 + $3, $4 / 1024 }'
  echo "  wall: $(echo "$results" | awk '{ print $1 }' | summary) s"
  echo "  CPU:  $(echo "$results" | awk '{ print $2 + $3 }' | summary) s"
  echo "  peak: $(echo "$results" | awk '{ printf "%.1f\n", $4 / 1024 }' | summary) MiB"
}

echo "$items items, vocabulary $vocabulary, $runs runs each, offscreen"
report "document list only (baseline)" "$(measure)"
report "open the list (tap its row, Enter)" "$(measure --tap "$first_row" --key Return)"
