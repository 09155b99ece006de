#!/usr/bin/env bash
# zum4 --export tanks|stresses|stability: a PNG and a one-page PDF of each
# view for every demo condition; wrong command lines, unknown views and
# other file kinds are refused, and a refused picture leaves no file.
set -euo pipefail
zum4="$1" source_dir="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/data/demo" "$work/inst"
inst="$work/inst"
export QT_QPA_PLATFORM=offscreen

fail() { echo "FAIL: $*"; exit 1; }
is_png() { [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "$1 is not a PNG"; }

for cond in DHAM012N ARTM012N; do
  for view in tanks stresses stability; do
    png="$work/$cond-$view.png" pdf="$work/$cond-$view.pdf"
    "$zum4" --data "$inst" --vessel FEEDER --condition "$cond.TXT" --export "$view" "$png" >/dev/null ||
      fail "$cond $view png"
    is_png "$png"
    # A picture of a real view, not an empty page: well over a blank PNG.
    [ "$(stat -c %s "$png")" -gt 20000 ] || fail "$png is only $(stat -c %s "$png") bytes"
    "$zum4" --data "$inst" --vessel FEEDER --condition "$cond.TXT" --export "$view" "$pdf" >/dev/null ||
      fail "$cond $view pdf"
    pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
    [ "$pages" = 1 ] || fail "$pdf has ${pages:-no} pages"
    [ ! -e "$pdf.part" ] || fail "$pdf.part left behind"
  done
done
# The two conditions differ, and so do their pictures.
cmp -s "$work/DHAM012N-tanks.png" "$work/ARTM012N-tanks.png" && fail "two conditions gave the same tanks picture"
cmp -s "$work/DHAM012N-stresses.png" "$work/ARTM012N-stresses.png" && fail "two conditions gave the same stresses"
# The size asked for is the size written.
out=$("$zum4" --data "$inst" --vessel FEEDER --condition DHAM012N.TXT --export stresses "$work/s.png" --size 800x400)
[ "$out" = "$work/s.png: 800x400" ] || fail "size: $out"

refuse() {  # refuse CODE TEXT ARGS...
  local code="$1" text="$2"; shift 2
  set +e
  msg=$("$zum4" --data "$inst" "$@" 2>&1 >/dev/null)
  rc=$?
  set -e
  [ "$rc" = "$code" ] || fail "exit $rc, not $code, for $*"
  grep -qF -- "$text" <<<"$msg" || fail "no '$text' in: $msg"
}
refuse 2 "unknown view sideways" --vessel FEEDER --condition DHAM012N.TXT --export sideways "$work/x.png"
refuse 2 "must end in .png or .pdf" --vessel FEEDER --condition DHAM012N.TXT --export tanks "$work/x.gif"
refuse 2 "--vessel and --condition are needed" --export tanks "$work/x.png"
refuse 1 "$work/none/x.png" --vessel FEEDER --condition DHAM012N.TXT --export stresses "$work/none/x.png"
refuse 1 "$work/none/x.pdf" --vessel FEEDER --condition DHAM012N.TXT --export stresses "$work/none/x.pdf"
mv "$inst/FEEDER/STR.txt" "$work/STR.txt"
refuse 1 "no strength data" --vessel FEEDER --condition DHAM012N.TXT --export stresses "$work/x.png"
mv "$work/STR.txt" "$inst/FEEDER/STR.txt"
[ ! -e "$work/x.png" ] && [ ! -e "$work/x.gif" ] || fail "a refused picture was written"
echo "export views: ok"
