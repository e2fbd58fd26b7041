#!/usr/bin/env bash
# Corvina installed like any desktop program: `cmake --install` into a fresh prefix puts the program,
# corvina-tool (stripped), a valid desktop entry and the icon in their places; started from the entry's command
# the first time, the program installs the device (registry value, Lists folder, two sample lists)
# once, and started directly on a device that an earlier start used without an installation, it
# takes that start's lists along into the one Lists folder. Also
# the command line a user meets first: --help (the same as scripts/run.sh --help), --version, an
# unknown option, and no display.
#
#   installed_program.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir="$1"
build_dir="$2"
source "$(dirname "${BASH_SOURCE[0]}")/check_helpers.sh" "installed program" installed

prefix="$work/prefix"
cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" || fail "cmake --install failed: $(cat "$work/install.log")"

# Installed without --strip all the same: users get no debug information.
for program in corvina corvina-tool; do
  [ -x "$prefix/bin/$program" ] || fail "no $prefix/bin/$program"
  ! file -b "$prefix/bin/$program" | grep -q 'not stripped' || fail "$prefix/bin/$program is not stripped"
done
entry="$prefix/share/applications/corvina.desktop"
[ -f "$entry" ] || fail "no desktop entry at $entry"
desktop-file-validate "$entry" >"$work/validate.log" 2>&1 || fail "the desktop entry is not valid: $(cat "$work/validate.log")"
[ ! -s "$work/validate.log" ] || fail "the validator warns: $(cat "$work/validate.log")"
grep -qx 'Icon=corvina' "$entry" || fail "the entry names no icon corvina"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'; }
for size in 32 48 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/corvina.png"
  [ -f "$icon" ] || fail "no icon at $icon"
  [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon"), not ${size}x${size}"
done

# Started from the menu: the entry's command, with a home of its own and no device chosen.
launcher="$(sed -n 's/^Exec=//p' "$entry")"
[ -x "$launcher" ] || fail "the entry's Exec ($launcher) is not an installed program"
home="$work/home"
mkdir -p "$home"
device="$home/.local/share/corvina/device"
lists="$device/Program Files/Corvina/Lists"
start() {
  env -u CORVINA_DEVICE_ROOT HOME="$home" XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen \
    "$launcher" --screenshot "$work/$1.png" >"$work/$1.log" 2>&1 || fail "the launcher failed: $(cat "$work/$1.log")"
  [ -s "$work/$1.png" ] || fail "the program drew no picture"
}
start first
grep -qxF 'InstallDir=\Program Files\Corvina' "$device/.system/registry.txt" ||
  fail "no InstallDir in $device/.system/registry.txt"
[ ! -e "$device/registry.txt" ] || fail "the registry lies among the user's files"
for sample in Shopping Packing; do
  [ -f "$lists/$sample.crv" ] || fail "no sample list $sample in $lists"
done
"$prefix/bin/corvina-tool" info "$lists/Shopping.crv" >/dev/null || fail "corvina-tool cannot read the sample"
# Installed once: a sample the user deleted stays deleted.
rm "$lists/Packing.crv"
start second
[ ! -e "$lists/Packing.crv" ] || fail "the second start installed the samples again"

# Started directly, on a device whose lists an earlier start without an installation kept in
# "\My Documents": the same installation, with those lists in the Lists folder.
other="$work/other-device"
mkdir -p "$other/My Documents"
cp "$lists/Shopping.crv" "$other/My Documents/Mine.crv"
QT_QPA_PLATFORM=offscreen "$prefix/bin/corvina" --device-root "$other" --screenshot "$work/direct.png" \
  >"$work/direct.log" 2>&1 || fail "the program failed: $(cat "$work/direct.log")"
for list in Mine Shopping Packing; do
  [ -f "$other/Program Files/Corvina/Lists/$list.crv" ] || fail "no list $list in the Lists folder of a direct start"
done
[ ! -e "$other/My Documents/Mine.crv" ] || fail "a list stayed in \My Documents"
# A picture that cannot be written is said so on standard error, and the program ends with status 1.
unwritable="$work/no such folder/direct.png"
status=0
QT_QPA_PLATFORM=offscreen "$prefix/bin/corvina" --device-root "$other" --screenshot "$unwritable" \
  >"$work/unwritable.log" 2>&1 || status=$?
[ "$status" = 1 ] || fail "an unwritable picture ended the program with status $status, not 1"
grep -qxF "corvina: cannot write the picture to $unwritable" "$work/unwritable.log" ||
  fail "an unwritable picture was not reported: $(cat "$work/unwritable.log")"

# The command line.
corvina="$prefix/bin/corvina"
"$corvina" --help >"$work/help.txt" || fail "--help did not exit 0"
cmp -s "$work/help.txt" "$source_dir/src/shell/main/usage.txt" || fail "--help differs from usage.txt"
bash "$source_dir/scripts/run.sh" --help >"$work/run-help.txt" || fail "scripts/run.sh --help failed"
cmp -s "$work/run-help.txt" "$work/help.txt" || fail "scripts/run.sh --help differs from corvina --help"
[ "$("$corvina" --version)" = "Corvina Version 1.06" ] || fail "--version printed $("$corvina" --version)"
status=0
"$corvina" --colour >/dev/null 2>"$work/unknown.txt" || status=$?
[ "$status" -eq 2 ] || fail "an unknown option ended with $status, not 2"
grep -q 'unknown option --colour' "$work/unknown.txt" || fail "no word on the unknown option"
grep -q '^Usage: corvina' "$work/unknown.txt" || fail "no usage after the unknown option"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" "$corvina" >/dev/null 2>"$work/nodisplay.txt" ||
  status=$?
[ "$status" -eq 1 ] || fail "without a display the program ended with $status, not 1"
[ "$(wc -l <"$work/nodisplay.txt")" -eq 1 ] || fail "without a display: $(cat "$work/nodisplay.txt")"
echo "installed program: all well"
