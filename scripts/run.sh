#!/usr/bin/env bash
# Builds Corvina and starts it; its first run installs it into the device root (as an installer would).
# Arguments go to the program: --device-root DIR, --storage-card DIR, --scale N, Qt's own options;
# --help shows them.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
# The program's own usage, shown without building anything.
for argument in "$@"; do
  if [ "$argument" = "--help" ]; then
    cat "$here/src/shell/main/usage.txt"
    exit 0
  fi
done
bash "$here/scripts/setup.sh"
build="${CORVINA_BUILD_DIR:-$here/build}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target corvina
exec "$build/src/shell/main/corvina" "$@"
