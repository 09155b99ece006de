#!/usr/bin/env bash
# zum4 --export-plan: a picture of each demo condition, in every colour
# mode and one bay enlarged; wrong command lines and unwritable files are
# refused with a message naming the fault.
set -euo pipefail
zum4="$1" source_dir="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/data/demo" "$work/inst"
inst="$work/inst"
export QT_QPA_PLATFORM=offscreen

fail() { echo "FAIL: $*"; exit 1; }
is_png() { [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "$1 is not a PNG"; }

for cond in ARTM012N DRTM012N AHAM012N DHAM012N; do
  units=$(grep -c '^C|' "$inst/FEEDER/COND/$cond.TXT")
  out=$("$zum4" --data "$inst" --vessel FEEDER --condition "$cond.TXT" --export-plan "$work/$cond.png" 2>/dev/null)
  # Every unit line of the file is a unit in the picture.
  [ "$out" = "$work/$cond.png: 1600x1000, $units units" ] || fail "$cond: $out (file has $units units)"
  is_png "$work/$cond.png"
done
for mode in 0 1 2 3; do
  "$zum4" --data "$inst" --vessel FEEDER --condition DHAM012N.TXT --export-plan "$work/c$mode.png" \
    --colour-mode "$mode" --letter-mode 3 --size 1200x800 >/dev/null 2>&1 || fail "colour mode $mode"
  is_png "$work/c$mode.png"
done
cmp -s "$work/c0.png" "$work/c1.png" && fail "colour modes 0 and 1 gave the same picture"
"$zum4" --data "$inst" --vessel FEEDER --condition DHAM012N.TXT --export-plan "$work/bay.png" --one-bay 9 \
  >/dev/null 2>&1 || fail "one bay"
is_png "$work/bay.png"

# Refusals: exit code and the message.
refuse() {  # refuse CODE TEXT ARGS...
  local code="$1" text="$2"; shift 2
  set +e
  msg=$("$zum4" --data "$inst" "$@" 2>&1 >/dev/null)
  rc=$?
  set -e
  [ "$rc" = "$code" ] || fail "exit $rc, not $code, for $*"
  grep -qF -- "$text" <<<"$msg" || fail "no '$text' in: $msg"
}
refuse 2 "--vessel, --condition and --export-plan are needed" --export-plan "$work/x.png"
refuse 2 "wrong value after --colour-mode" --vessel FEEDER --condition DHAM012N.TXT --export-plan "$work/x.png" --colour-mode 7
refuse 2 "unknown argument --bogus" --vessel FEEDER --condition DHAM012N.TXT --export-plan "$work/x.png" --bogus
refuse 1 "no bay 98" --vessel FEEDER --condition DHAM012N.TXT --export-plan "$work/x.png" --one-bay 98
refuse 1 "NOSUCH" --vessel NOSUCH --condition DHAM012N.TXT --export-plan "$work/x.png"
refuse 1 "$work/none/x.png" --vessel FEEDER --condition DHAM012N.TXT --export-plan "$work/none/x.png"
[ ! -e "$work/x.png" ] || fail "a refused picture was written"
echo "export-plan: ok"
