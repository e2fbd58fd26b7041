#!/usr/bin/env bash
# Fails, listing them, when C++ files of src, tests, tools, bench, fuzz or res differ from what
# clang-format makes of them with the repo's .clang-format. Without arguments every such file is
# checked; with arguments, only the files named. To mend a file: clang-format -i FILE.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
formatter="${CLANG_FORMAT:-clang-format}"
if ! command -v "$formatter" >/dev/null; then
  echo "check-format: $formatter is missing (bash scripts/setup.sh installs it)" >&2
  exit 2
fi

files=()
if [ $# -gt 0 ]; then
  files=("$@")
else
  while IFS= read -r -d '' file; do
    files+=("$file")
  done < <(find src tests tools bench fuzz res -type f \
             \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) -print0 2>/dev/null | sort -z)
fi

differing=()
for file in "${files[@]}"; do
  if ! "$formatter" --style=file --dry-run -Werror "$file" >/dev/null 2>&1; then
    differing+=("$file")
  fi
done

if [ ${#differing[@]} -gt 0 ]; then
  echo "check-format: ${#differing[@]} of ${#files[@]} files differ from .clang-format:"
  printf '  %s\n' "${differing[@]}"
  exit 1
fi
echo "check-format: ${#files[@]} files as .clang-format has them"
