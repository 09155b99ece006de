#!/usr/bin/env bash
# zum4 --export letterplan / bayplan / plan: the printed pages of the demo
# feeder read back with the poppler tools (page count as laid out, the
# vessel and the port in the text), pictures as PNG, and refusals.
set -euo pipefail
zum4="$1" source_dir="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/data/demo" "$work/inst"
inst="$work/inst"
export QT_QPA_PLATFORM=offscreen

fail() { echo "FAIL: $*"; exit 1; }
is_png() { [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "$1 is not a PNG"; }
pages() { pdfinfo "$1" | awk '/^Pages:/ {print $2}'; }
export_view() { "$zum4" --data "$inst" --vessel FEEDER --condition DHAM012N.TXT --export "$@"; }

# The demo prints the letter plan in portrait (settings line 80 is "0"):
# two pages, the title on the first, the totals table on the second.
out=$(export_view letterplan "$work/lp.pdf")
[ "$out" = "$work/lp.pdf: 2 pages" ] || fail "letter plan: $out"
[ "$(pages "$work/lp.pdf")" = 2 ] || fail "portrait letter plan is not 2 pages"
first=$(pdftotext -f 1 -l 1 "$work/lp.pdf" -)
second=$(pdftotext -f 2 -l 2 "$work/lp.pdf" -)
grep -q "m/v ZUM FEEDER" <<<"$first" || fail "page 1 does not name the vessel"
grep -q "HAMBURG" <<<"$first" || fail "page 1 does not name the port"
grep -q "20'full" <<<"$second" || fail "page 2 has no totals table"
grep -q "Zum4 - [0-9]\{4\}/[0-9][0-9]/[0-9][0-9]" <<<"$second" || fail "page 2 has no date line"
[ ! -e "$work/.lp.pdf.part" ] || fail "the partial file was left behind"

# Landscape: the whole plan on one page.
sed -i '80s/.*/1\r/' "$inst/userpar.txt"
export_view letterplan "$work/lp1.pdf" >/dev/null
[ "$(pages "$work/lp1.pdf")" = 1 ] || fail "landscape letter plan is not 1 page"

# Bay plans: a page per bay asked for.
export_view bayplan "$work/bays.pdf" --bays 1,3,5 >/dev/null
[ "$(pages "$work/bays.pdf")" = 3 ] || fail "three bays are not three pages"
pdftotext -f 3 -l 3 "$work/bays.pdf" - | grep -qw "05" || fail "page 3 is not bay 05"

# Pictures.
export_view letterplan "$work/lp.png" >/dev/null
is_png "$work/lp.png"
export_view bayplan "$work/bay.png" --bays 1,3 >/dev/null
is_png "$work/bay-01.png"
is_png "$work/bay-03.png"
export_view plan "$work/plan.png" --colour-mode 1 >/dev/null
is_png "$work/plan.png"
"$zum4" --data "$inst" --vessel FEEDER --condition DHAM012N.TXT --export-plan "$work/plan2.png" --colour-mode 1 >/dev/null
cmp -s "$work/plan.png" "$work/plan2.png" || fail "--export plan and --export-plan differ"

# Refusals: exit code and the message; nothing written.
refuse() {  # refuse CODE TEXT ARGS...
  local code="$1" text="$2"; shift 2
  set +e
  msg=$("$zum4" --data "$inst" "$@" 2>&1 >/dev/null)
  rc=$?
  set -e
  [ "$rc" = "$code" ] || fail "exit $rc, not $code, for $*"
  grep -qF -- "$text" <<<"$msg" || fail "no '$text' in: $msg"
}
c=(--vessel FEEDER --condition DHAM012N.TXT)
refuse 2 "unknown view tanksx" "${c[@]}" --export tanksx "$work/x.pdf"
refuse 2 "must end in .pdf or .png" "${c[@]}" --export letterplan "$work/x.txt"
refuse 2 "--vessel and --condition are needed" --export letterplan "$work/x.pdf"
refuse 2 "unknown argument --bays" "${c[@]}" --export letterplan "$work/x.pdf" --bays 1
refuse 1 "no bay 98" "${c[@]}" --export bayplan "$work/x.pdf" --bays 1,98
refuse 1 "NOSUCH" --vessel NOSUCH --condition DHAM012N.TXT --export letterplan "$work/x.pdf"
refuse 1 "$work/none/x.pdf" "${c[@]}" --export letterplan "$work/none/x.pdf"
[ ! -e "$work/x.pdf" ] || fail "a refused export was written"
echo "export letterplan/bayplan: ok"
