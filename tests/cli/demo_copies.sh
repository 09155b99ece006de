# Sourced by the scripts that work on copies of the demo installation, after
# they have set cli and source_dir: a work folder removed on exit, and the
# checks they share.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
expect() {  # expect OUTPUT LINE...: each line must stand in the output
  local out="$1"; shift
  for want in "$@"; do grep -qxF -- "$want" <<<"$out" || fail "no line '$want' in:
$out"; done
}
fresh() { rm -rf "$work/$1"; cp -r "$source_dir/data/demo" "$work/$1"; }  # fresh NAME: a copy in $work/NAME
