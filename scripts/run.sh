#!/usr/bin/env bash
# Builds Corvina and starts it; its first run installs it into the device root (as an installer would).
# Arguments go to the program: --device-root DIR, --storage-card DIR, --scale N, Qt's own options.
# --help and --version are answered by the build there is, without building, setting up or
# installing anything; when there is no build yet, they say how to make one.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${CORVINA_BUILD_DIR:-$here/build}"
program="$build/src/shell/main/corvina"

for argument in "$@"; do
  case "$argument" in
    --help | --version)
      if [ -x "$program" ]; then
        exec "$program" "$@"
      fi
      echo "run.sh: Corvina is not built yet in $build: \`bash scripts/run.sh\` builds it and starts it." >&2
      if [ "$argument" = "--help" ]; then
        # The program's own usage, which the source holds as text.
        cat "$here/src/shell/main/usage.txt"
        exit 0
      fi
      exit 1
      ;;
  esac
done

bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target corvina
exec "$program" "$@"
