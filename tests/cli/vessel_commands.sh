#!/usr/bin/env bash
# zum4-cli on a copy of the demo installation with one small vessel added:
# the vessel list is rebuilt from its ptc.txt, and the vessel opens by name
# or folder with its particulars, counts and tables.
set -euo pipefail
cli="$1" source_dir="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/data/demo" "$work/inst"
rm -f "$work/inst/vex.txt"  # no list yet: it is built from the vessel folders
cp -r "$source_dir/tests/data/cli-vessel/MINIBOX" "$work/inst/"

fail() { echo "FAIL: $*"; exit 1; }

out=$("$cli" --data "$work/inst" vessels)
[ "$out" = "MINI BOX;MINIBOX;shown
ZUM BARGE;BARGE;shown
ZUM FEEDER;FEEDER;shown" ] || fail "vessels printed: $out"
grep -q "^MINI BOX;MINIBOX;1;" "$work/inst/vex.txt" || fail "vex.txt not written: $(cat "$work/inst/vex.txt")"

for name in "MINI BOX" minibox; do
  out=$("$cli" --data "$work/inst" vessel "$name")
  for want in "Vessel name: *MINI BOX" "Call sign: *9HZ0001" "Bays: *1" "Cells: *5" \
              "Hydrostatic table: *yes" "Cross curves: *no" "Tank table: *no" "Strength table: *no"; do
    grep -q "^$want\$" <<<"$out" || fail "vessel $name: no line '$want' in:
$out"
  done
done

if "$cli" --data "$work/inst" vessel "NO SUCH SHIP" 2>"$work/err"; then fail "unknown vessel accepted"; fi
grep -q "no installed vessel is named NO SUCH SHIP" "$work/err" || fail "unknown vessel message: $(cat "$work/err")"

if "$cli" --data "$work/nowhere" vessels 2>"$work/err"; then fail "missing installation accepted"; fi
grep -q "not a Zum4 installation" "$work/err" || fail "missing installation message: $(cat "$work/err")"
# Without hydrostatic or strength tables the weights are still summed (the
# three units on board), and
# every figure that needs a table is null rather than a stale number.
json=$("$cli" --data "$work/inst" stability minibox DHAM001W.TXT --json)
jq -e '.displacement == 35.7 and .draft_aft == null and .gm == null and .gz == [] and .shear_max_pct == null
       and .outside_tables == false and .blind_distance == null and .blind_distance_exceeded == null' <<<"$json" > /dev/null || fail "stability without tables: $json"
echo "vessel commands: 1 passed, 0 failed"
