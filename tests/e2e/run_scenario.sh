#!/usr/bin/env bash
# Runs one end-to-end scenario: a private Xvfb display, a fresh device root, the real `corvina` on it,
# then the scenario's steps (tests/e2e/scenarios/NAME.sh), which tap, type and look at the screen
# through the functions of lib/harness.sh. Everything started here is stopped on the way out.
#
#   run_scenario.sh SCENARIO_FILE
#
# Environment (ctest sets it): CORVINA (the program), CORVINA_TOOL (its command-line companion),
# SCREEN_MATCH (the picture comparer), CLOSE_REQUEST (the window manager's close), CORVINA_SOURCE_DIR
# (the repository), E2E_OUT (where pictures of a failure are kept).
set -euo pipefail

scenario="${1:?usage: run_scenario.sh SCENARIO_FILE}"
here="$(cd "$(dirname "$0")" && pwd)"
: "${CORVINA:?CORVINA must name the corvina binary}"
: "${SCREEN_MATCH:?SCREEN_MATCH must name the screen_match binary}"
: "${CORVINA_TOOL:?CORVINA_TOOL must name the corvina-tool binary}"
: "${CLOSE_REQUEST:?CLOSE_REQUEST must name the close_request binary}"
: "${CORVINA_SOURCE_DIR:=$(cd "$here/../.." && pwd)}"
SCENARIO_NAME="$(basename "$scenario" .sh)"
E2E_OUT="${E2E_OUT:-$PWD/e2e-out}/$SCENARIO_NAME"
rm -rf "$E2E_OUT"
mkdir -p "$E2E_OUT"
E2E_WORK="$(mktemp -d "${TMPDIR:-/tmp}/corvina-e2e.XXXXXX")"
DEVICE_ROOT="$E2E_WORK/device"
mkdir -p "$DEVICE_ROOT"
export CORVINA CORVINA_TOOL SCREEN_MATCH CLOSE_REQUEST CORVINA_SOURCE_DIR SCENARIO_NAME E2E_OUT E2E_WORK DEVICE_ROOT

# shellcheck source=lib/harness.sh
source "$here/lib/harness.sh"
trap e2e_cleanup EXIT

e2e_start_display
# shellcheck disable=SC1090
source "$scenario"
e2e_log "passed"
