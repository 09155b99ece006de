#!/usr/bin/env bash
# zum4-cli report totals: for every demo condition the grand total's tonnes
# equal those of `condition`; the groups add up to it; wrong requests are
# refused with exit code 2.
set -euo pipefail
cli="$1" source_dir="$2"
inst="$source_dir/data/demo"
fail() { echo "FAIL: $*"; exit 1; }

for c in DHAM012N DRTM012N AHAM012N ARTM012N; do
  out=$("$cli" --data "$inst" report totals FEEDER "$c" --by POL,POD)
  # Grand total: the last line; units, tonnes and TEU of all categories are
  # its 9th to 11th figures (no break bulk in the demo).
  grand=$(printf '%s\n' "$out" | tail -n 1)
  tonnes=$(printf '%s\n' "$grand" | awk '{print $(NF-2)}')
  want=$("$cli" --data "$inst" condition FEEDER "$c" | awk '/^Total /{split($NF, a, "/"); printf "%.0f", a[2]}')
  [ "$tonnes" = "$want" ] || fail "$c: totals give $tonnes t, the condition $want t:
$grand"
  # The POL groups (level 1 lines: a key of POL and blanks) add up to the grand total.
  sum=$(printf '%s\n' "$out" | awk 'NR>2 && substr($0,5,4)=="    " && substr($0,1,3)!="   " {s+=$(NF-2)} END{print s}')
  [ "$sum" -ge $((want - 4)) ] && [ "$sum" -le $((want + 4)) ] || fail "$c: POL groups sum to $sum t, not about $want t"
done

# The containers list: one row per unit on board (an attached unit's rows
# share its weight), the weights summing to the condition's tonnes.
for c in DHAM012N ARTM012N; do
  out=$("$cli" --data "$inst" report containers FEEDER "$c")
  units=$("$cli" --data "$inst" condition FEEDER "$c" | awk '/^Total /{split($NF, a, "/"); print a[1]}')
  want=$("$cli" --data "$inst" condition FEEDER "$c" | awk '/^Total /{split($NF, a, "/"); print a[2]}')
  rows=$(printf '%s\n' "$out" | tail -n +2 | awk '{print $1}' | sort -u | wc -l)
  [ "$rows" -eq "$units" ] || fail "$c: $rows cells listed, $units units on board"
  # WEIGHT is the fifth column of the standard layout.
  sum=$(printf '%s\n' "$out" | tail -n +2 | awk '{s+=$5} END{printf "%.1f", s}')
  # Each row's weight is rounded to 0.1 t.
  awk -v a="$sum" -v b="$want" -v n="$rows" 'BEGIN{d=a-b; if (d<0) d=-d; exit !(d<=0.05*n)}' ||
    fail "$c: the list's weights sum to $sum t, the condition holds $want t"
done

out=$("$cli" --data "$inst" report totals FEEDER DHAM012N --by POD --one-level)
[ "$(printf '%s\n' "$out" | wc -l)" -eq 6 ] || fail "one POD level: 2 headings, 3 PODs and the total expected:
$out"

for bad in "--by NOSUCH" "--by POL,POD,POL,POD,POL" ""; do
  rc=0
  # shellcheck disable=SC2086
  "$cli" --data "$inst" report totals FEEDER DHAM012N $bad >/dev/null 2>&1 || rc=$?
  [ "$rc" -eq 2 ] || fail "report totals $bad: exit code $rc, expected 2"
done
rc=0
"$cli" --data "$inst" report nosuch FEEDER DHAM012N --by POL >/dev/null 2>&1 || rc=$?
[ "$rc" -eq 2 ] || fail "unknown report kind: exit code $rc"
rc=0
"$cli" --data "$inst" report containers FEEDER DHAM012N --layout 99 >/dev/null 2>&1 || rc=$?
[ "$rc" -eq 2 ] || fail "layout 99: exit code $rc"
echo "report totals and containers agree with the conditions' units and tonnes"
