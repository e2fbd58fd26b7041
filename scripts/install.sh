#!/usr/bin/env bash
# Installs Corvina into the device root the first time, as the handheld's installer would: the
# installation folder \Program Files\Corvina, its Lists folder with the two sample lists, and the
# registry value "InstallDir" that tells the program where it was installed. Once that value is
# there, the device counts as installed and nothing is touched again.
#
#   install.sh [--device-root DIR] [other program options, ignored]
#
# The device root is --device-root, else $CORVINA_DEVICE_ROOT, else ~/.local/share/corvina/device.
# The sample lists come from res/samples, or $CORVINA_SAMPLES_DIR where the program is installed.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

device_root="${CORVINA_DEVICE_ROOT:-$HOME/.local/share/corvina/device}"
while [ $# -gt 0 ]; do
  case "$1" in
    --device-root) device_root="${2:?--device-root needs a folder}"; shift 2 ;;
    --device-root=*) device_root="${1#--device-root=}"; shift ;;
    --help | --version) exit 0 ;;
    *) shift ;;
  esac
done

# The installation folder as a device path, and where it lies on the host.
install_dir='\Program Files\Corvina'
install_host="$device_root/Program Files/Corvina"
lists_host="$install_host/Lists"
samples=(Shopping Packing)
samples_dir="${CORVINA_SAMPLES_DIR:-$here/res/samples}"

# The registry is a text file of our own (see src/platform/ui/RegistryText.h): a section per key
# path, one "name=value" a line, the value taken literally to the line's end.
registry="$device_root/registry.txt"
registry_section='[HKEY_LOCAL_MACHINE\SOFTWARE\Tarrow\Corvina]'
registry_name='InstallDir'
registry_line="$registry_name=$install_dir"

# Installed when the key's section holds the value.
is_installed() {
  [ -f "$registry" ] &&
    SECTION="$registry_section" NAME="$registry_name=" awk '
      /^\[.*\]\r?$/ { inside = (tolower($0) == tolower(ENVIRON["SECTION"])) }
      inside && index(tolower($0), tolower(ENVIRON["NAME"])) == 1 { found = 1 }
      END { exit found ? 0 : 1 }' "$registry"
}

if is_installed; then
  exit 0
fi

mkdir -p "$lists_host"
for sample in "${samples[@]}"; do
  source_file="$samples_dir/$sample.crv"
  [ -f "$source_file" ] || { echo "install: missing sample list $source_file" >&2; exit 1; }
  # A list the user already keeps under that name stays as it is.
  [ -e "$lists_host/$sample.crv" ] || cp "$source_file" "$lists_host/$sample.crv"
done

# The value is written last, so an installation cut short is simply done again next time.
mkdir -p "$device_root"
if [ -f "$registry" ] && grep -qixF "$registry_section" "$registry"; then
  tmp="$(mktemp "$registry.XXXXXX")"
  # Through the environment: awk -v would read the backslashes as escapes.
  SECTION="$registry_section" LINE="$registry_line" \
    awk '{ print } tolower($0) == tolower(ENVIRON["SECTION"]) && !done { print ENVIRON["LINE"]; done = 1 }' \
      "$registry" >"$tmp"
  mv "$tmp" "$registry"
else
  { [ -s "$registry" ] && echo; printf '%s\n%s\n' "$registry_section" "$registry_line"; } >>"$registry"
fi
echo "install: Corvina installed in $device_root (lists in $install_dir\\Lists)"
