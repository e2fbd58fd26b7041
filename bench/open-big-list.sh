#!/usr/bin/env bash
# Times the whole program opening one big list, as a user does it: start, tap the list's row, Enter,
# the editor's first paint, the picture written, the end (`corvina --screenshot`, off screen).
#
#   bench/open-big-list.sh [BUILD_DIR] [ITEMS] [VOCABULARY] [RUNS]
#   (defaults: build, 100000 items, 50000 words, 5 runs)
#
# The list has three levels (a top-level item every 50, a level-1 item every 10), notes on one item
# in ten, and titles of 2 to 9 words drawn from a made-up vocabulary of VOCABULARY words. It prints
# each run's wall time and peak memory, then the fastest and the median.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
items="${2:-100000}"
vocabulary="${3:-50000}"
runs="${4:-5}"
corvina="$build/src/shell/main/corvina"
tool="$build/tools/corvina-tool"
for program in "$corvina" "$tool"; do
  [ -x "$program" ] || { echo "open-big-list: build the program first (no $program)" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "open-big-list: needs /usr/bin/time (the package time)" >&2; exit 1; }

scratch="$(mktemp -d "${TMPDIR:-/tmp}/corvina-big.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
device="$scratch/device"
bash "$here/scripts/install.sh" --device-root "$device" >/dev/null
lists="$device/Program Files/Corvina/Lists"
rm -f "$lists"/*.crv

# The list as tab-separated text (depth, title, importance, checked, notes, quantity), then imported.
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
"$tool" import "$scratch/big.txt" "$lists/Big.crv" >/dev/null

times=()
for run in $(seq 1 "$runs"); do
  QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch" /usr/bin/time -f "%e %U %S %M" -o "$scratch/time" \
    "$corvina" --device-root "$device" --scale 1 --screenshot "$scratch/open.png" --tap 60,55 --key Return
  read -r seconds user system kilobytes < <(tail -n 1 "$scratch/time")
  # On a shared machine the wall time waits for other work too; the CPU time is the program's own.
  printf 'run %d: %s s (CPU %s s user, %s s system), %d MiB peak\n' "$run" "$seconds" "$user" "$system" \
    "$((kilobytes / 1024))"
  times+=("$seconds")
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
printf '%s items, %s words: min %s s, median %s s\n' "$items" "$vocabulary" "${sorted[0]}" \
  "${sorted[$(((${#sorted[@]} - 1) / 2))]}"
