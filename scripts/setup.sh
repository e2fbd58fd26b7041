#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks, the fuzzers and the .deb need.
# Quick when everything is present: apt is only consulted for what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-dev clang-format
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libsimdjson-dev
  qt6-base-dev libgl-dev libpng-dev
  fonts-wine fonts-dejavu-core
  xvfb xdotool x11-utils x11-apps
  desktop-file-utils
  dpkg-dev file lintian python3
  time
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
