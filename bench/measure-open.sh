#!/usr/bin/env bash
# The whole program opening a big list, as a user waits for it: a list of COUNT items with ordinary
# titles (bench/make-ordinary-list.py) is imported into a fresh device, then `corvina` runs offscreen
# five times with the tour that selects its row and presses Enter, and five times showing only the
# document list, as the baseline. Prints each run's wall time and peak memory (/usr/bin/time), then
# the least and the median of each.
#
#   bench/measure-open.sh [COUNT] [BUILD_DIR]       (default: 1000000 items, build)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
count="${1:-1000000}"
build="${2:-$here/build}"
corvina="$build/src/shell/main/corvina"
tool="$build/tools/corvina-tool"
runs=5
# The big list's name sorts before the sample lists, so it is the first row.
first_row=60,55
for program in "$corvina" "$tool" /usr/bin/time; do
  [ -x "$program" ] || { echo "measure-open: $program is missing (build the program first)" >&2; exit 1; }
done

device="$(mktemp -d "${TMPDIR:-/tmp}/corvina-measure.XXXXXX")"
trap 'rm -rf "$device"' EXIT
bash "$here/scripts/install.sh" --device-root "$device" >/dev/null
python3 "$here/bench/make-ordinary-list.py" "$count" "$device/big.txt"
"$tool" import "$device/big.txt" "$device/Program Files/Corvina/Lists/Big.crv"
rm "$device/big.txt"

# Runs the program `runs` times with the tour steps given; prints "seconds peak_KiB" a line.
measure() {
  for _ in $(seq "$runs"); do
    QT_QPA_PLATFORM=offscreen /usr/bin/time -f "%e %M" -o "$device/time.txt" \
      "$corvina" --device-root "$device" --scale 1 --screenshot "$device/shot.png" "$@"
    cat "$device/time.txt"
  done
}

# Least and median of a column of numbers.
summary() {
  sort -g | awk '{ v[NR] = $1 } END { printf "min %s, median %s", v[1], v[int((NR + 1) / 2)] }'
}

report() {
  local what="$1" results="$2"
  echo "$what:"
  echo "$results" | awk '{ printf "  %6.2f s  %8.1f MiB\n", $1, $2 / 1024 }'
  echo "  time: $(echo "$results" | cut -d' ' -f1 | summary) s"
  echo "  peak: $(echo "$results" | awk '{ printf "%.1f\n", $2 / 1024 }' | summary) MiB"
}

echo "$count items, ordinary titles, $runs runs each, offscreen"
report "document list only" "$(measure)"
report "open the list (tap its row, Enter)" "$(measure --tap "$first_row" --key Return)"
