# What the script checks share, sourced at their start: a scratch folder in `work`, removed at exit,
# and `fail`, which says what went wrong under the check's name and ends the check.
#
#   source check_helpers.sh NAME SCRATCH_PREFIX
check_name="$1"
work="$(mktemp -d "${TMPDIR:-/tmp}/corvina-$2.XXXXXX")"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "$check_name: $*" >&2
  exit 1
}
