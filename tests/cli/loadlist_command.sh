#!/usr/bin/env bash
# zum4-cli loadlist and export-loadlist on copies of the demo installation:
# the demo loading list is read with every line accounted for, its units
# go to the quay and from there into cells with an edit script, a condition
# exported and imported again comes back unit for unit, and a file that is
# no loading list is refused and changes nothing.
set -euo pipefail
cli="$1" source_dir="$2"
# shellcheck source=demo_copies.sh
. "$(dirname "$0")/demo_copies.sh"

# The demo loading list onto the quay of DHAM012N: every line read, every
# unit on the quay, the route table adding up to them.
fresh add
list="$work/add/RECEIVE/LOADLIST_GOT012N.TXT"
lines=$(grep -c '' "$list")
out=$("$cli" --data "$work/add" loadlist FEEDER DHAM012N "$list" --add --save DHAM013N)
expect "$out" "Kind: fixed-column" "Lines: $lines (read $lines, header 0, blank 0, not readable 0)" \
  "Units read: $lines" "Put to the quay: $lines" "Not readable: 0" "Not taken: 0" "On the quay: $lines units"
routed=$(awk '/^By route/ {on = 1; next} /^On the quay/ {on = 0} on {n += $(NF - 3)} END {print n}' <<<"$out")
[ "$routed" -eq "$lines" ] || fail "the route table counts $routed units read, not $lines"
[ "$(grep -c '' "$work/add/FEEDER/QUA.TXT")" -eq "$lines" ] || fail "QUA.TXT does not hold the $lines units"

# The same list again: every unit is on the quay already, nothing is done.
rc=0
out=$("$cli" --data "$work/add" loadlist FEEDER DHAM013N "$list" --add) || rc=$?
[ "$rc" -eq 1 ] || fail "a list already on the quay gave exit code $rc, not 1"
expect "$out" "Put to the quay: 0" "Not taken: $lines" "  line 1: container ZUMU 5200004 is on the quay already"

# From the quay into two cells made free: the unit named, then the next of
# its route and group.
cat > "$work/quay.txt" <<'SCRIPT'
discharge 010102
discharge 010104
load-from-quay 010102 zumu5200010
load-from-quay 010104
load-from-quay 010102
SCRIPT
rc=0
out=$("$cli" --data "$work/add" edit FEEDER DHAM013N "$work/quay.txt" --save DHAM014N) || rc=$?
[ "$rc" -eq 1 ] || fail "the edit script with one refused line gave exit code $rc"
expect "$out" "line 3: loaded ZUMU 5200010 from the quay into 010102" "line 5: refused: cell 010102 is not free"
grep -q "^line 4: loaded .* from the quay into 010104$" <<<"$out" || fail "line 4 loaded nothing:
$out"
[ "$(grep -c '' "$work/add/FEEDER/QUA.TXT")" -eq $((lines - 2)) ] || fail "QUA.TXT still holds the loaded units"
grep -q "^C|010102|ZUMU 5200010|GOT|GDY|" "$work/add/FEEDER/COND/DHAM014N.TXT" || fail "ZUMU 5200010 is not in 010102"

# Update mode: two placeholders (planned slots without numbers) for GOT to
# AAR take the first two 20' units of that route from the list.
fresh update
printf 'template pol=GOT pod=AAR size=20 type=DV tonnes=10\nfill tier 010188\n' > "$work/fill.txt"
out=$("$cli" --data "$work/update" edit FEEDER DHAM012N "$work/fill.txt" --save DHAM013N)
expect "$out" "line 2: filled 2 cells of the tier of 010188"
out=$("$cli" --data "$work/update" loadlist FEEDER DHAM013N "$work/update/RECEIVE/LOADLIST_GOT012N.TXT" \
  --add --update --save DHAM014N)
expect "$out" "Mode: add, update" "Put to the quay: $lines" "Merged into placeholders: 2" \
  "On the quay: $((lines - 2)) units"
merged=$(grep -c "^C|01..88|[A-Z]\{4\} [0-9]\{7\}|GOT|AAR|" "$work/update/FEEDER/COND/DHAM014N.TXT") || true
[ "$merged" -eq 2 ] || fail "DHAM014N holds $merged numbered GOT-AAR units in tier 88, not 2"

# Export, import into the empty vessel and export again: the same units,
# weights, ports and positions (the first six characters name the voyage).
fresh trip
out=$("$cli" --data "$work/trip" export-loadlist FEEDER DHAM012N "$work/first.txt")
units=$(sed -n 's/^units: //p' <<<"$out")
[ "$units" -gt 500 ] || fail "DHAM012N exported $units units"
out=$("$cli" --data "$work/trip" loadlist FEEDER - "$work/first.txt" --save DHAM013N)
expect "$out" "Units read: $units" "Placed in their cells: $units" "Put to the quay: 0" "Not readable: 0" \
  "Not taken: 0"
"$cli" --data "$work/trip" export-loadlist FEEDER DHAM013N "$work/second.txt" > /dev/null
cmp <(cut -c7- "$work/first.txt" | sort) <(cut -c7- "$work/second.txt" | sort) ||
  fail "the condition imported from its loading list exports another list"

# Not a loading list: refused with the file's name and first line, exit
# code 1, the condition not saved.
fresh bad
printf 'UNB+UNOA:2+SENDER+RECIPIENT+261130:2100+1'"'"'UNH+1+BAPLIE:D:95B:UN:SMDG22'"'"'\r\n' > "$work/bad.edi"
rc=0
out=$("$cli" --data "$work/bad" loadlist FEEDER DHAM012N "$work/bad.edi" --save DHAM013N 2>&1) || rc=$?
[ "$rc" -eq 1 ] || fail "a file that is no loading list gave exit code $rc"
grep -qF "$work/bad.edi: not a loading list: no line of it is a unit; the first: line 1: " <<<"$out" ||
  fail "the refusal does not name the file and its first line:
$out"
[ ! -e "$work/bad/FEEDER/COND/DHAM013N.TXT" ] || fail "a refused list saved the condition"

# A wrong command line.
for args in "loadlist FEEDER DHAM012N" "export-loadlist FEEDER" "loadlist FEEDER DHAM012N x --exact"; do
  rc=0
  # shellcheck disable=SC2086
  "$cli" --data "$work/bad" $args > /dev/null 2>&1 || rc=$?
  [ "$rc" -eq 2 ] || fail "'$args' gave exit code $rc, not 2"
done
echo "ok"
