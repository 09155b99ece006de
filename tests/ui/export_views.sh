#!/usr/bin/env bash
# zum4 --export longview|document: a picture and a PDF of the demo
# departure, read back; a wrong output is refused and nothing is written.
set -euo pipefail
zum4="$1" cli="$2" source_dir="$3"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/data/demo" "$work/inst"
export QT_QPA_PLATFORM=offscreen

fail() { echo "FAIL: $*"; exit 1; }
is_png() { [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "$1 is not a PNG"; }
run() { "$zum4" --data "$work/inst" --vessel FEEDER --condition DHAM012N.TXT --export "$@"; }

out=$(run longview "$work/lv.png" 2>/dev/null) || fail "long view picture: $out"
is_png "$work/lv.png"
[[ "$out" =~ ^"$work/lv.png: 1600x"[0-9]+$ ]] || fail "long view picture: $out"
run longview "$work/lv.pdf" >/dev/null 2>&1 || fail "long view PDF"
pdfinfo "$work/lv.pdf" | grep -q "^Pages: *1$" || fail "long view PDF pages"
text=$(pdftotext -layout "$work/lv.pdf" -)
for word in AP FP BL; do grep -qw "$word" <<<"$text" || fail "no $word in the long view PDF"; done
# The blind distance written on the drawing is the one the headless tool gives.
json=$("$cli" --data "$work/inst" stability FEEDER DHAM012N.TXT --json)
metres=$(jq -er '.blind_distance | floor' <<<"$json") || fail "no blind distance in $json"
grep -q "$metres m" <<<"$text" || fail "no '$metres m' in the long view PDF"

out=$(run document "$work/doc.png" 2>/dev/null) || fail "document picture: $out"
is_png "$work/doc.png"
run document "$work/doc.pdf" >/dev/null 2>&1 || fail "document PDF"
pdfinfo "$work/doc.pdf" | grep -q "^Pages:" || fail "document PDF unreadable"
pdftotext "$work/doc.pdf" - | grep -q "ZUM FEEDER" || fail "the document PDF does not name the vessel"

# Refusals: a wrong output kind, a folder that does not exist.
set +e
run longview "$work/lv.bmp" >/dev/null 2>"$work/err"; rc=$?
set -e
[ "$rc" = 2 ] || fail "exit $rc for a .bmp"
grep -q "write a .png or a .pdf" "$work/err" || fail "message: $(cat "$work/err")"
[ ! -e "$work/lv.bmp" ] || fail "a refused picture was written"
set +e
run sideview "$work/x.png" >/dev/null 2>"$work/err"; rc=$?
set -e
[ "$rc" = 2 ] || fail "exit $rc for an unknown view"
grep -q "unknown view sideview" "$work/err" || fail "message: $(cat "$work/err")"
set +e
run document "$work/none/doc.pdf" >/dev/null 2>"$work/err"; rc=$?
set -e
[ "$rc" = 1 ] || fail "exit $rc for a missing folder"
grep -q "$work/none/doc.pdf" "$work/err" || fail "message: $(cat "$work/err")"
ls "$work/none" >/dev/null 2>&1 && fail "a folder was made"
echo "export views: ok"
