#!/bin/sh
# Starts Corvina from the desktop's application menu as the README's run command does: the first time,
# Corvina is installed into the device root (the registry value and the Lists folder with the two
# sample lists); then the program runs with the arguments given.
#
# Installed as <prefix>/libexec/corvina/corvina-start beside <prefix>/bin/corvina and
# <prefix>/share/corvina (the installer and its sample lists).
set -u
prefix="$(cd "$(dirname "$0")/../.." && pwd)"
# Without the installation the program still runs, on "\My Documents"; the installer said why.
CORVINA_SAMPLES_DIR="$prefix/share/corvina/samples" bash "$prefix/share/corvina/install.sh" "$@" >/dev/null
exec "$prefix/bin/corvina" "$@"
