#!/usr/bin/env bash
# zum4-cli edit on a copy of the demo feeder: a script of editor commands
# leaves exactly the units and tonnes it should, undo of every line gives
# back the original condition byte for byte once saved, and a bad line is
# refused with its line number and leaves the plan as it was.
set -euo pipefail
cli="$1" source_dir="$2"
# shellcheck source=demo_copies.sh
. "$(dirname "$0")/demo_copies.sh"

# DHAM012N holds 584 units, 7580.5 t; 152 units (1976.0 t) go to AAR.
# 010102, 010104 and 010106 hold 14.7, 10.7 and 22.4 t, none for AAR; of
# the two units loaded (12.5 t to GOT, 8 t to AAR) the second is dumped
# with AAR; the tier 88 of bay 01 takes the 10 t template in its two free
# cells. So 584 - 3 + 2 + 2 - 153 = 432 units and
# 7580.5 - 47.8 + 12.5 + 8 + 20 - 1976.0 - 8 = 5589.2 t.
cat > "$work/moves.txt" <<'SCRIPT'
# three discharged, one restowed, two loaded, a tier filled, a port dumped
discharge 010102
discharge 010104
discharge 010106
restow 010108 010102
load 010104 ZUMU1234565 HAM GOT 20 DV 12.5
load 010106 zumu-123457 HAM AAR 20 DV 8 operator=ZUM
template pol=HAM pod=GOT size=20 type=DV tonnes=10 operator=ZUM
fill tier 010188
dump discharging AAR
SCRIPT
fresh moved
out=$("$cli" --data "$work/moved" edit FEEDER DHAM012N "$work/moves.txt" --save DHAM014N)
expect "$out" "line 5: restowed NSXU3108962 from 010108 to 010102" "line 7: loaded ZUMU 0123457 into 010106" \
  "line 9: filled 2 cells of the tier of 010188" "line 10: dumped 153 units" \
  "Units on board: 432" "Tonnes on board: 5589.2"
# The saved condition reads back with the same load.
out=$("$cli" --data "$work/moved" condition FEEDER DHAM014N)
expect "$out" "Skipped lines: 0"
grep -q "^Total .* 432/5589.2$" <<<"$out" || fail "DHAM014N does not read back as 432 units, 5589.2 t:
$out"
grep -q "^C|010102|NSXU3108962|" "$work/moved/FEEDER/COND/DHAM014N.TXT" || fail "the restowed unit is not in 010102"

# Every line undone: the condition as it was, byte for byte.
{ cat "$work/moves.txt"; for _ in 1 2 3 4 5 6 7 8; do echo undo; done; } > "$work/undone.txt"
: > "$work/nothing.txt"
fresh undone
fresh untouched
out=$("$cli" --data "$work/undone" edit FEEDER DHAM012N "$work/undone.txt" --save DHAM013N)
expect "$out" "Units on board: 584" "Tonnes on board: 7580.5"
"$cli" --data "$work/untouched" edit FEEDER DHAM012N "$work/nothing.txt" --save DHAM013N > /dev/null
cmp "$work/undone/FEEDER/COND/DHAM013N.TXT" "$work/untouched/FEEDER/COND/DHAM013N.TXT" ||
  fail "undoing every line does not give back the condition"

# Redo brings the last line undone back.
printf 'discharge 010102\nundo\nredo\n' > "$work/redo.txt"
fresh redo
out=$("$cli" --data "$work/redo" edit FEEDER DHAM012N "$work/redo.txt")
expect "$out" "line 2: undone" "line 3: redone" "Units on board: 583"

# A line after undone lines drops what could be redone, and is itself
# undone alone.
printf 'discharge 010102\ndischarge 010104\nundo\nundo\ndischarge 010106\nundo\nredo\nredo\n' > "$work/branch.txt"
fresh branch
rc=0
out=$("$cli" --data "$work/branch" edit FEEDER DHAM012N "$work/branch.txt") || rc=$?
expect "$out" "line 6: undone" "line 7: redone" "line 8: refused: nothing to redo" "Units on board: 583"

# Bad lines: each named with its line and reason, the plan unchanged by it.
cat > "$work/bad.txt" <<'SCRIPT'
load 999999 ZUMU1234565 HAM GOT 20 DV 12.5
load 010188 ZUMU1234565 XXX GOT 20 DV 12.5
load 010188 ZUMU1234565 HAM GOT 20 DV heavy
load 010002 ZUMU1234565 HAM GOT 20 DV 12.5
discharge 010188
fill tier 010188
frobnicate 010102
discharge 010102
SCRIPT
fresh bad
rc=0
out=$("$cli" --data "$work/bad" edit FEEDER DHAM012N "$work/bad.txt" 2>&1) || rc=$?
[ "$rc" = 1 ] || fail "a script with refused lines exits with $rc"
expect "$out" 'line 1: refused: "999999" names no cell of the vessel' 'line 2: refused: unknown port "XXX"' \
  'line 3: refused: weight "heavy" is not a number' "line 4: refused: cell 010002 is not free" \
  "line 5: refused: no unit stands in 010188" \
  'line 6: refused: no template: set one with "template pol=.. pod=.. size=.. type=.. tonnes=.."' \
  'line 7: refused: unknown command "frobnicate"' "line 8: discharged NSXU3100030 from 010102" \
  "Units on board: 583" "Refused lines: 7" "$work/bad.txt:2: unknown port \"XXX\""

# --strict stops at the first refused line and saves nothing.
fresh strict
rc=0
out=$("$cli" --data "$work/strict" edit FEEDER DHAM012N "$work/bad.txt" --strict --save DHAM015N 2>&1) || rc=$?
[ "$rc" = 1 ] || fail "--strict exits with $rc"
expect "$out" "stopped at line 1 (--strict); nothing saved"
[ ! -e "$work/strict/FEEDER/COND/DHAM015N.TXT" ] || fail "--strict saved the condition"
echo "edit command: all checks passed"
