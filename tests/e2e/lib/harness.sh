# The steps end-to-end scenarios are written in: set up a device root, start the program, tap, hold,
# type, and compare what the X server shows with what the program renders off screen for that state.
# Sourced by run_scenario.sh; every function fails the scenario (exit 1) with a message when it fails.

E2E_TIMEOUT_SECONDS="${E2E_TIMEOUT_SECONDS:-15}"
E2E_POLL_INTERVAL=0.1
# The device window is drawn 1:1 so X pictures and off-screen pictures line up pixel for pixel.
E2E_SCALE=1
E2E_SCREEN_GEOMETRY=640x480x24
XVFB_PID=""
CORVINA_PID=""
CORVINA_WINDOW=""
# The taps, holds, keys and typing since the program started, as the screen tour's options (--tap,
# --hold, --double-tap, --key, --type): replayed off screen on the device root as it was at the
# start, they bring the program into the state the scenario expects to see.
E2E_STEPS=()
# The device root as the program found it at its start, for those replays.
E2E_START_DEVICE="$E2E_WORK/device-at-start"

e2e_log() { printf 'e2e %s: %s\n' "$SCENARIO_NAME" "$*" >&2; }
e2e_fail() {
  e2e_log "FAILED: $*"
  exit 1
}

# e2e_poll SECONDS COMMAND...: runs COMMAND until it succeeds or the time is up.
e2e_poll() {
  local seconds="$1"
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep "$E2E_POLL_INTERVAL"
  done
}

e2e_start_display() {
  command -v Xvfb >/dev/null || e2e_fail "Xvfb is not installed (scripts/setup.sh installs it)"
  command -v xdotool >/dev/null || e2e_fail "xdotool is not installed (scripts/setup.sh installs it)"
  command -v xwd >/dev/null || e2e_fail "xwd is not installed (scripts/setup.sh installs x11-apps)"
  local attempt
  # A display another server on the machine grabbed at the same moment is lost; start again then.
  for attempt in 1 2 3 4 5; do
    e2e_try_display "$attempt" && return 0
  done
  e2e_fail "Xvfb did not start (see $E2E_OUT/xvfb.*.log)"
}

# e2e_try_display ATTEMPT: starts a server on a display of its own and waits until it answers.
# The display is named, not left to -displayfd: a named display is taken through its lock file, so
# two servers starting at once can never both believe they hold it, and the loser exits at once.
E2E_FIRST_DISPLAY=100
E2E_DISPLAY_RANGE=800
e2e_try_display() {
  local display=$((E2E_FIRST_DISPLAY + (RANDOM + $$ * 7 + $1 * 131) % E2E_DISPLAY_RANGE))
  # -noreset: a server starts over whenever its last client leaves, and a program connecting just then
  # (right after xdotool looked) would be turned away.
  Xvfb ":$display" -noreset -screen 0 "$E2E_SCREEN_GEOMETRY" -nolisten tcp 2>"$E2E_OUT/xvfb.$1.log" &
  XVFB_PID=$!
  export DISPLAY=":$display"
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
  local deadline=$((SECONDS + E2E_TIMEOUT_SECONDS))
  # A server that lost the display exits at once: then try another without waiting out the time.
  while kill -0 "$XVFB_PID" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    e2e_display_is_ours "$display" 2>/dev/null && return 0
    sleep "$E2E_POLL_INTERVAL"
  done
  kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
  return 1
}

# e2e_display_is_ours DISPLAY: our server holds the display's lock and answers.
e2e_display_is_ours() {
  [ "$(tr -d ' \n' <"/tmp/.X$1-lock" 2>/dev/null)" = "$XVFB_PID" ] || return 1
  xdotool getdisplaygeometry >/dev/null
}

e2e_cleanup() {
  local status=$?
  # Every step is tried: one that fails (a process already gone) must not leave the others running.
  set +e
  if [ -n "$CORVINA_PID" ]; then
    kill "$CORVINA_PID" 2>/dev/null
    wait "$CORVINA_PID" 2>/dev/null
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  rm -rf "$E2E_WORK"
  exit "$status"
}

# --- the device root -------------------------------------------------------------------------------

# The Lists folder the first run makes.
E2E_LISTS="$DEVICE_ROOT/Program Files/Corvina/Lists"

# e2e_install: installs Corvina into the device root as a user's first run does: the program itself,
# started once off screen.
e2e_install() {
  QT_QPA_PLATFORM=offscreen "$CORVINA" --device-root "$DEVICE_ROOT" --screenshot "$E2E_OUT/install.png" \
    >"$E2E_OUT/install.log" 2>&1 || e2e_fail "the first run failed (see $E2E_OUT/install.log)"
}

# e2e_add_list NAME SAMPLE [DATE]: puts a copy of res/samples/SAMPLE.crv into the Lists folder as
# NAME.crv, last written at DATE (any form `touch -d` takes).
e2e_add_list() {
  local name="$1" sample="$2" date="${3:-}"
  local target="$E2E_LISTS/$name.crv"
  cp "$CORVINA_SOURCE_DIR/res/samples/$sample.crv" "$target" || e2e_fail "no sample list $sample"
  [ -z "$date" ] || touch -d "$date" "$target"
}

# e2e_add_damaged_list NAME [BYTES]: a list file NAME.crv that ends inside its header: empty, or the
# first BYTES bytes of a sample list.
e2e_add_damaged_list() {
  local target="$E2E_LISTS/$1.crv"
  head -c "${2:-0}" "$CORVINA_SOURCE_DIR/res/samples/Shopping.crv" >"$target" || e2e_fail "cannot write $target"
}

# e2e_remove_list NAME: takes the list NAME.crv out of the Lists folder.
e2e_remove_list() { rm -f "$E2E_LISTS/$1.crv" || e2e_fail "cannot remove $1.crv"; }

# e2e_make_folder DEVICE_PATH: a folder on the device ("My Documents").
e2e_make_folder() { mkdir -p "$DEVICE_ROOT/$1" || e2e_fail "cannot make the folder $1"; }

# The document list's rows: the first row's middle and the distance between rows, in device pixels.
E2E_FIRST_ROW_Y=55
E2E_ROW_PITCH=17

# e2e_row_y NAME: prints where the row of list NAME is on the document list. The rows come in name
# order, case-insensitively and with numbers in their numeric order.
e2e_row_y() {
  local index=0 file
  while IFS= read -r file; do
    if [ "$file" = "$1.crv" ]; then
      echo $((E2E_FIRST_ROW_Y + index * E2E_ROW_PITCH))
      return 0
    fi
    case "$file" in *.crv) index=$((index + 1)) ;; esac
  done < <(ls -1 "$E2E_LISTS" | sort -f -V)
  e2e_fail "no row for the list $1"
}

# e2e_set_list_date NAME DATE: sets when the list NAME was last written.
e2e_set_list_date() { touch -d "$2" "$E2E_LISTS/$1.crv" || e2e_fail "no list $1"; }

# --- the program -----------------------------------------------------------------------------------

e2e_find_window() {
  CORVINA_WINDOW="$(xdotool search --onlyvisible --pid "$CORVINA_PID" 2>/dev/null | head -n 1)"
  [ -n "$CORVINA_WINDOW" ]
}

# e2e_start_corvina [OPTIONS...]: starts the program on the device root and waits for its window.
e2e_start_corvina() {
  "$CORVINA" --device-root "$DEVICE_ROOT" --scale "$E2E_SCALE" -platform xcb "$@" \
    >"$E2E_OUT/corvina.log" 2>&1 &
  CORVINA_PID=$!
  E2E_STEPS=()
  rm -rf "$E2E_START_DEVICE"
  cp -a "$DEVICE_ROOT" "$E2E_START_DEVICE"
  e2e_poll "$E2E_TIMEOUT_SECONDS" e2e_find_window || e2e_fail "no window appeared (see $E2E_OUT/corvina.log)"
  # Pointer and keys go to the device window, as they would on the handheld.
  timeout 5 xdotool windowfocus --sync "$CORVINA_WINDOW" 2>/dev/null || true
}

# e2e_expect_exit [STATUS]: waits for the program to end and checks its exit status (default 0).
e2e_expect_exit() {
  local expected="${1:-0}" status=0
  e2e_poll "$E2E_TIMEOUT_SECONDS" e2e_program_ended || e2e_fail "the program did not end"
  wait "$CORVINA_PID" || status=$?
  CORVINA_PID=""
  [ "$status" -eq "$expected" ] || e2e_fail "the program ended with status $status, expected $expected"
}
e2e_program_ended() { ! kill -0 "$CORVINA_PID" 2>/dev/null; }

# --- input, in the device window's own pixels ------------------------------------------------------

# e2e_tap X Y: a stylus tap.
e2e_tap() {
  xdotool mousemove --window "$CORVINA_WINDOW" "$1" "$2" click 1 || e2e_fail "tap at $1,$2"
  E2E_STEPS+=(--tap "$1,$2")
}

# e2e_hold X Y: a tap-and-hold; the device takes a right click for one.
e2e_hold() {
  xdotool mousemove --window "$CORVINA_WINDOW" "$1" "$2" click 3 || e2e_fail "hold at $1,$2"
  E2E_STEPS+=(--hold "$1,$2")
}

# e2e_double_tap X Y: two quick taps.
e2e_double_tap() {
  xdotool mousemove --window "$CORVINA_WINDOW" "$1" "$2" click --repeat 2 --delay 60 1 || e2e_fail "double tap at $1,$2"
  E2E_STEPS+=(--double-tap "$1,$2")
}

# e2e_key KEY...: hardware key presses, in xdotool's names (Return, Escape, Down, Tab, BackSpace, ...).
e2e_key() {
  local key
  for key in "$@"; do
    xdotool key --delay 30 "$key" || e2e_fail "key $key"
    E2E_STEPS+=(--key "$key")
  done
}

# e2e_type TEXT: types text into the focused field.
e2e_type() {
  xdotool type --delay 30 "$1" || e2e_fail "typing $1"
  E2E_STEPS+=(--type "$1")
}

# e2e_close_window: the window manager's close button (or Alt+F4) on the device window.
e2e_close_window() { "$CLOSE_REQUEST" "$CORVINA_WINDOW" || e2e_fail "asking the window to close"; }

# --- looking at the screen -------------------------------------------------------------------------

e2e_window_origin() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$CORVINA_WINDOW")"
  printf '%s,%s' "$X" "$Y"
}

# e2e_screen_matches ACTUAL EXPECTED [--diff FILE]: grabs the whole screen, so menus and message boxes
# over the device window are seen as a person sees them, and compares the window's part.
e2e_screen_matches() {
  local actual="$1" expected="$2"
  shift 2
  xwd -root -silent >"$actual" || return 1
  "$SCREEN_MATCH" "$actual" "$expected" --at "$(e2e_window_origin)" "$@"
}

# e2e_expect_screen NAME [OPTIONS...]: waits until the device window shows exactly what the program
# draws off screen with `--screenshot` after the same steps, on a copy of the device root as it was
# when the program started (or, when OPTIONS are given, after those instead). On a timeout the
# expected picture and the actual one (differences in magenta) are kept in E2E_OUT.
e2e_expect_screen() {
  local name="$1"
  shift
  [ $# -gt 0 ] || set -- "${E2E_STEPS[@]}"
  local expected="$E2E_WORK/$name.expected.ppm" actual="$E2E_WORK/$name.actual.xwd"
  local replay="$E2E_WORK/device-replay"
  rm -rf "$replay"
  cp -a "$E2E_START_DEVICE" "$replay"
  QT_QPA_PLATFORM=offscreen "$CORVINA" --device-root "$replay" --scale "$E2E_SCALE" \
    --screenshot "$expected" "$@" >"$E2E_OUT/$name.render.log" 2>&1 ||
    e2e_fail "rendering the expected $name screen failed (see $E2E_OUT/$name.render.log)"
  if e2e_poll "$E2E_TIMEOUT_SECONDS" e2e_screen_matches "$actual" "$expected"; then
    e2e_log "screen $name as expected"
    return 0
  fi
  cp "$expected" "$E2E_OUT/$name.expected.ppm"
  e2e_screen_matches "$actual" "$expected" --diff "$E2E_OUT/$name.actual.ppm" || true
  e2e_fail "the screen does not show $name (pictures in $E2E_OUT)"
}

# e2e_expect_title TEXT: the device window's title is TEXT (it follows the active screen's caption).
e2e_expect_title() {
  e2e_poll "$E2E_TIMEOUT_SECONDS" e2e_title_is "$1" ||
    e2e_fail "window title is '$(xdotool getwindowname "$CORVINA_WINDOW")', expected '$1'"
}
e2e_title_is() { [ "$(xdotool getwindowname "$CORVINA_WINDOW")" = "$1" ]; }

# --- the files on disk ------------------------------------------------------------------------------

# e2e_tool ARGS...: corvina-tool, with list paths relative to the Lists folder (Shopping.crv).
e2e_tool() { (cd "$E2E_LISTS" && "$CORVINA_TOOL" "$@"); }

# e2e_expect_lists NAME...: the Lists folder holds exactly these list files (names without ".crv").
e2e_expect_lists() {
  local expected actual
  expected="$(printf '%s.crv\n' "$@" | sort)"
  actual="$(cd "$E2E_LISTS" && ls -1 | sort)"
  [ "$actual" = "$expected" ] || e2e_fail "the Lists folder holds $(echo $actual), expected $(echo $expected)"
}

# e2e_expect_tree NAME: `corvina-tool show NAME.crv` prints exactly the text on standard input.
e2e_expect_tree() {
  local expected actual
  expected="$(cat)"
  actual="$(e2e_tool show "$1.crv")" || e2e_fail "corvina-tool cannot show $1.crv"
  [ "$actual" = "$expected" ] || e2e_fail "$1.crv holds
$actual
expected
$expected"
}
