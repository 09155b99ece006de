#!/usr/bin/env bash
# The demo installation as a planner finds it: both vessels listed, the
# feeder with every table, each of its conditions read without a skipped
# line, and the stowage check listing what the demo holds and nothing else:
# the one badly segregated pair.
set -euo pipefail
cli="$1" source_dir="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/data/demo" "$work/inst"

fail() { echo "FAIL: $*"; exit 1; }

out=$("$cli" --data "$work/inst" vessels)
[ "$out" = "ZUM BARGE;BARGE;shown
ZUM FEEDER;FEEDER;shown" ] || fail "vessels printed: $out"

for vessel in FEEDER BARGE; do
  out=$("$cli" --data "$work/inst" vessel "$vessel")
  for want in "Hydrostatic table: *yes" "Cross curves: *yes" "Tank table: *yes" "Strength table: *yes"; do
    grep -q "^$want\$" <<<"$out" || fail "vessel $vessel: no line '$want' in:
$out"
  done
done
out=$("$cli" --data "$work/inst" vessel FEEDER)
grep -q "^Bays: *16$" <<<"$out" || fail "feeder bays: $out"
grep -q "^Cells: *1208$" <<<"$out" || fail "feeder cells: $out"

# The same vessel without its strength table floats by the hydrostatic table
# alone: the two equilibria must agree within 2 cm on both drafts (the
# table's drafts are cut to the centimetre, and its trim leaves out the lean
# of the vertical through G, (KG - KB)·tan(trim angle), about 2 % of the
# trim on the feeder).
cp -r "$work/inst" "$work/tableonly"
rm "$work/tableonly/FEEDER/STR.txt"

conditions=0
for file in "$work"/inst/FEEDER/COND/*.TXT; do
  name=$(basename "$file")
  out=$("$cli" --data "$work/inst" condition FEEDER "$name")
  grep -q "^Skipped lines: 0$" <<<"$out" || fail "$name: lines skipped:
$out"
  # Within the strength limits, on the tables.
  for what in "Bending Moment" "Shear Forces" "Torsion"; do
    percent=$(sed -n "s/^ *$what *\(-\?[0-9.]*\) %$/\1/p" <<<"$out")
    [ -n "$percent" ] || fail "$name: no $what line in:
$out"
    awk -v p="$percent" 'BEGIN { exit !(p > -100 && p < 100) }' || fail "$name: $what at $percent %"
  done
  if grep -qi "outside" <<<"$out"; then fail "$name: outside the tables:
$out"; fi
  # Exit code 3: the check found something.
  rc=0
  out=$("$cli" --data "$work/inst" check FEEDER "$name") || rc=$?
  [ "$rc" -eq 3 ] || fail "$name: check exit code $rc"
  [ "$out" = "SEGREGATION 2    3   5.1 090482 090484" ] || fail "$name: check printed:
$out"
  # Read and written again, the condition is the same file: units, tank
  # contents and the header's displacement and centres.
  mkdir -p "$work/again"
  "$cli" --data "$work/inst" condition FEEDER "$name" --write "$work/again/$name" > /dev/null
  cmp "$file" "$work/again/$name" || fail "$name: not the same file when written again"
  # Every figure of the stability command, as valid JSON.
  json=$("$cli" --data "$work/inst" stability FEEDER "$name" --json)
  for key in displacement lcg vcg tcg kg_corrected draft_aft draft_fore draft_mean draft_aft_marks \
             draft_fore_marks trim km gm gm_corrected heel gz area_0_30 area_0_40 area_30_40 gz_30 gz_max \
             gz_max_angle flooding_angle shear_max_pct bending_max_pct torsion_max_pct outside_tables; do
    jq -e --arg k "$key" 'has($k) and .[$k] != null' <<<"$json" > /dev/null || fail "$name: no $key in $json"
  done
  jq -e '.outside_tables == false and (.gz | length) > 5 and .displacement > 10000
         and (.blind_distance | type) == "number" and (.blind_distance_exceeded | type) == "boolean"' \
    <<<"$json" > /dev/null ||
    fail "$name: stability figures $json"
  table=$("$cli" --data "$work/tableonly" stability FEEDER "$name" --json)
  jq -e --argjson t "$table" '((.draft_aft - $t.draft_aft) | fabs) < 0.02 and ((.draft_fore - $t.draft_fore) | fabs) < 0.02
        and $t.shear_max_pct == null' <<<"$json" > /dev/null ||
    fail "$name: sectional $json and table $table equilibria differ"
  conditions=$((conditions + 1))
done
[ "$conditions" -eq 5 ] || fail "$conditions demo conditions, expected 5"
echo "demo vessels: $conditions conditions read and checked"
