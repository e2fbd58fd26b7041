#!/usr/bin/env bash
# Rebuilds the sample lists Shopping.crv and Packing.crv from their text sources with corvina-tool.
# Usage: make-samples.sh [path/to/corvina-tool]  (default: build/tools/corvina-tool)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
tool="${1:-$here/../../build/tools/corvina-tool}"
for name in Shopping Packing; do
  "$tool" import "$here/$name.txt" "$here/$name.crv"
done
