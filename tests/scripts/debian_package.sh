#!/usr/bin/env bash
# The .deb as a Debian user gets it: cpack makes it from a Release build (this build when it is one,
# else a Release build of the two programs alone in BUILD_DIR/package-release, kept for the next
# run), and dpkg-deb and lintian check it: its fields and dependencies, every file in its place, the
# programs stripped and working, the desktop entry naming the installed launcher, and no lintian
# error.
#
#   debian_package.sh SOURCE_DIR BUILD_DIR [COMPILER_LAUNCHER]
set -euo pipefail
source_dir="$1"
build_dir="$2"
launcher="${3:-}"
source "$(dirname "${BASH_SOURCE[0]}")/check_helpers.sh" "debian package" deb

if grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$build_dir/CMakeCache.txt"; then
  package_build="$build_dir"
else
  package_build="$build_dir/package-release"
  cmake -S "$source_dir" -B "$package_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCORVINA_TESTS=OFF -DCORVINA_BENCH=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    ${launcher:+"-DCMAKE_CXX_COMPILER_LAUNCHER=$launcher"} >"$work/configure.log" 2>&1 ||
    fail "configuring the Release build failed: $(tail -n 20 "$work/configure.log")"
  cmake --build "$package_build" --parallel "$(nproc)" --target corvina corvina-tool >"$work/build.log" 2>&1 ||
    fail "building the programs failed: $(tail -n 40 "$work/build.log")"
fi
rm -f "$package_build"/corvina_*.deb
(cd "$package_build" && cpack -G DEB >"$work/cpack.log" 2>&1) || fail "cpack failed: $(cat "$work/cpack.log")"
debs=("$package_build"/corvina_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no corvina_*.deb: $(cat "$work/cpack.log")"
deb="${debs[0]}"

# The control fields.
dpkg-deb --info "$deb" >"$work/info.txt" || fail "dpkg-deb --info cannot read $deb"
field() { sed -n "s/^ $1: //p" "$work/info.txt"; }
[ "$(field Package)" = corvina ] || fail "the package is called '$(field Package)'"
version="$(sed -n 's/.*kProgramVersionText = u"Version \([0-9.]*\)".*/\1/p' "$source_dir/res/ProgramTables.h")"
[ -n "$version" ] && [ "$(field Version)" = "$version" ] || fail "version '$(field Version)', the program's is '$version'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture '$(field Architecture)'"
[ "$(basename "$deb")" = "corvina_${version}_$(dpkg --print-architecture).deb" ] || fail "file named $(basename "$deb")"
depends="$(field Depends)"
# From the binaries (dpkg-shlibdeps: Qt for the program, simdjson for corvina-tool's JSON import),
# and the platform plugins that no binary names.
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 libsimdjson14 libstdc++6 libc6 qt6-qpa-plugins; do
  [[ ", $depends," == *", $dependency "* || ", $depends," == *", $dependency,"* ]] ||
    fail "Depends lacks $dependency: $depends"
done
[[ "$(field Recommends)" == *fonts-wine* ]] || fail "Recommends lacks fonts-wine: $(field Recommends)"
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || fail "no maintainer or description"

# Every file in its place, owned by root.
dpkg-deb --contents "$deb" >"$work/contents.txt" || fail "dpkg-deb --contents cannot read $deb"
for path in usr/bin/corvina usr/bin/corvina-tool \
  usr/share/applications/corvina.desktop usr/share/icons/hicolor/32x32/apps/corvina.png \
  usr/share/icons/hicolor/48x48/apps/corvina.png usr/share/icons/hicolor/256x256/apps/corvina.png \
  usr/share/man/man1/corvina.1.gz usr/share/man/man1/corvina-tool.1.gz usr/share/doc/corvina/copyright \
  usr/share/doc/corvina/changelog.gz; do
  grep -q " \./$path\$" "$work/contents.txt" || fail "no /$path in the package"
done
if awk '$2 != "root/root"' "$work/contents.txt" | grep -q .; then
  fail "files not owned by root: $(awk '$2 != "root/root"' "$work/contents.txt")"
fi

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb cannot unpack $deb"
for program in corvina corvina-tool; do
  file -b "$root/usr/bin/$program" | grep -q 'not stripped' && fail "/usr/bin/$program is not stripped"
done
[ "$("$root/usr/bin/corvina" --version)" = "Corvina Version $version" ] || fail "the packaged program does not run"
"$root/usr/bin/corvina-tool" --help >/dev/null || fail "the packaged corvina-tool does not run"
grep -qx 'Exec=/usr/bin/corvina' "$root/usr/share/applications/corvina.desktop" ||
  fail "the desktop entry's $(grep '^Exec=' "$root/usr/share/applications/corvina.desktop")"
for page in corvina corvina-tool; do
  gzip -dc "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.SH NAME" || fail "the manual page of $page is not one"
done
# The program's manual page names every option its --help does.
for option in $(grep -o -- '--[a-z][a-z-]*' "$source_dir/src/shell/main/usage.txt" | sort -u); do
  gzip -dc "$root/usr/share/man/man1/corvina.1.gz" | sed 's/\\-/-/g' | grep -q -- "$option" ||
    fail "the manual page of corvina lacks $option"
done
# The tool's manual page names every command its --help does.
for command in $("$root/usr/bin/corvina-tool" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p' | sort -u); do
  gzip -dc "$root/usr/share/man/man1/corvina-tool.1.gz" | sed 's/\\-/-/g' | grep -q -- "^\.BI $command " ||
    fail "the manual page of corvina-tool lacks $command"
done

# Each release says what changed in it: the latest entry is this version's.
latest="$(gzip -dc "$root/usr/share/doc/corvina/changelog.gz" | head -n 1)"
[[ "$latest" == "corvina ($version) "* ]] || fail "the changelog's latest entry is '$latest', not $version"

# lintian: no error. Its warnings and notes are shown, for whoever reads the log.
status=0
lintian --fail-on error --tag-display-limit 0 --display-info "$deb" >"$work/lintian.txt" 2>&1 || status=$?
cat "$work/lintian.txt"
case "$status" in
  0) ;;
  2) fail "lintian reports errors" ;;
  *) fail "lintian could not check the package (status $status)" ;;
esac
echo "debian package: $(basename "$deb") is well made"
