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

conditions=0
for file in "$work"/inst/FEEDER/COND/*.TXT; do
  name=$(basename "$file")
  out=$("$cli" --data "$work/inst" condition FEEDER "$name")
  grep -q "^Skipped lines: 0$" <<<"$out" || fail "$name: lines skipped:
$out"
  # Exit code 3: the check found something.
  rc=0
  out=$("$cli" --data "$work/inst" check FEEDER "$name") || rc=$?
  [ "$rc" -eq 3 ] || fail "$name: check exit code $rc"
  [ "$out" = "SEGREGATION 2    3   5.1 090482 090484" ] || fail "$name: check printed:
$out"
  conditions=$((conditions + 1))
done
[ "$conditions" -eq 4 ] || fail "$conditions demo conditions, expected 4"
echo "demo vessels: $conditions conditions read and checked"
