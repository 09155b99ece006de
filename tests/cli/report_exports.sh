#!/usr/bin/env bash
# zum4-cli reports and CSV exports of the demo departure DHAM012N: report
# lines compared line by line with references (ZUM4_UPDATE_GOLDEN=1
# rewrites them), CSV rows and weights against the condition's units and
# tonnes, files written whole, UTF-8 on the terminal.
set -euo pipefail
cli="$1" source_dir="$2"
inst="$source_dir/data/demo"
golden_dir="$source_dir/tests/data/cli-reports"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
run() { "$cli" --data "$inst" "$@"; }

rewritten=""
while read -r name args; do
  # shellcheck disable=SC2086
  run report $args > "$work/$name.txt"
  if [ -n "${ZUM4_UPDATE_GOLDEN:-}" ]; then
    mkdir -p "$golden_dir"
    cp "$work/$name.txt" "$golden_dir/$name.txt"
    rewritten=yes
  else
    diff "$golden_dir/$name.txt" "$work/$name.txt" > "$work/diff" ||
      fail "report $args differs from $golden_dir/$name.txt:
$(head -n 20 "$work/diff")"
  fi
done <<'CASES'
containers-standard containers FEEDER DHAM012N
containers-by-pod containers FEEDER DHAM012N --layout 1 --sequence
totals-pol-pod totals FEEDER DHAM012N --by POL,POD
totals-pod-operator-one-level totals FEEDER DHAM012N --by POD,OPERATOR --one-level
rdr-pod rdr-pod FEEDER DHAM012N
CASES

# The condition's units and tonnes.
read -r units tonnes < <(run condition FEEDER DHAM012N | awk '/^Total /{split($NF, a, "/"); print a[1], a[2]}')
[ -n "$units" ] || fail "no total line from condition"

# Save as CSV: a header and a line per unit, one more for each unit carried
# on another (they share its position and its weight): the positions are the
# units, the weights add up to the tonnes.
run export-csv FEEDER DHAM012N "$work/cntrs.csv" > /dev/null
head -n 1 "$work/cntrs.csv" | grep -q '^CONTAINER,POSITION,' || fail "cntrs.csv has no CSV heading"
grep -q $'\r$' "$work/cntrs.csv" || fail "cntrs.csv lines do not end with CR LF"
positions=$(tail -n +2 "$work/cntrs.csv" | cut -d, -f2 | sort -u | wc -l)
[ "$positions" -eq "$units" ] || fail "cntrs.csv: $positions positions, the condition holds $units units"
sum=$(tail -n +2 "$work/cntrs.csv" | awk -F, '{s+=$7} END{printf "%.1f", s}')
[ "$sum" = "$tonnes" ] || fail "cntrs.csv weights sum to $sum t, the condition holds $tonnes t"

# The containers report as CSV: one row per unit, the same sum.
run report containers FEEDER DHAM012N --csv --out "$work/list.csv" > /dev/null
rows=$(tail -n +2 "$work/list.csv" | wc -l)
cells=$(tail -n +2 "$work/list.csv" | cut -d, -f1 | sort -u | wc -l)
[ "$rows" -eq $(($(wc -l < "$work/cntrs.csv") - 1)) ] || fail "containers CSV: $rows rows, cntrs.csv another count"
[ "$cells" -eq "$units" ] || fail "containers CSV: $cells cells, $units units"
sum=$(tail -n +2 "$work/list.csv" | awk -F, '{s+=$5} END{printf "%.1f", s}')
[ "$sum" = "$tonnes" ] || fail "containers CSV weights sum to $sum t, not $tonnes t"

# Totals as CSV: a heading and a row per totals line; the grand total row
# (level 0) holds the units and tonnes of the printed report.
run report totals FEEDER DHAM012N --by POL,POD --csv > "$work/totals.csv"
[ "$(($(wc -l < "$work/totals.csv") - 1))" -eq "$(($(wc -l < "$golden_dir/totals-pol-pod.txt") - 2))" ] ||
  fail "totals CSV rows differ from the totals lines"
grand=$(awk -F, '$3=="0"' "$work/totals.csv")
[ "$(echo "$grand" | cut -d, -f13)" = "$(tail -n 1 "$golden_dir/totals-pol-pod.txt" | awk '{print $(NF-2)}')" ] ||
  fail "totals CSV grand total: $grand"

# The voyage: DRTM012N and DHAM012N loaded it; each line starts with the
# vessel code and voyage.
run export-csv FEEDER DHAM012N --voyage "$work/voy.csv" > /dev/null
head -n 1 "$work/voy.csv" | grep -q '^VOY,CONTAINER,' || fail "voyage CSV heading"
[ "$(tail -n +2 "$work/voy.csv" | cut -d, -f1 | sort -u)" = "ZFD012N" ] || fail "voyage CSV lines not all ZFD012N"
pols=$(tail -n +2 "$work/voy.csv" | cut -d, -f4 | sort -u | tr '\n' ' ')
[ "$pols" = "HAM RTM " ] || fail "voyage CSV: loaded at $pols, not HAM and RTM"

# Restows: the list in layout 9 (TO CEL heading), only units restowed here:
# none in DHAM012N, two in a copy where two units are marked restowed.
[ "$(run report restows FEEDER DHAM012N | tail -n 1)" = "no units" ] || fail "DHAM012N has no restows"
mkdir "$work/restowed"
awk -F'|' 'BEGIN{OFS="|"} /^C/ && n < 2 {$24 = 1; numbers = numbers $3 "\n"; n++} {print}
           END{printf "%s", numbers > "'"$work"'/restowed/numbers"}' \
  "$inst/FEEDER/COND/DHAM012N.TXT" > "$work/restowed/DHAM012N.TXT"
run report restows FEEDER "$work/restowed/DHAM012N.TXT" > "$work/restows.txt"
head -n 1 "$work/restows.txt" | grep -q '^TO CEL' || fail "restows heading: $(head -n 1 "$work/restows.txt")"
[ "$(tail -n +2 "$work/restows.txt" | grep -o -F -f "$work/restowed/numbers" | sort)" = "$(sort "$work/restowed/numbers")" ] &&
  [ "$(wc -l < "$work/restows.txt")" -eq 3 ] || fail "restows listed: $(cat "$work/restows.txt")"

# A condition without units: its heading and "no units".
printf 'A|ZUM FEEDER|DHAM099N.TXT|0|0|0|10|\r\n' > "$work/DHAM099N.TXT"
out=$(run report containers FEEDER "$work/DHAM099N.TXT")
[ "$(printf '%s\n' "$out" | tail -n 1)" = "no units" ] || fail "empty condition: $out"
[ "$(printf '%s\n' "$out" | wc -l)" -eq 2 ] || fail "empty condition: heading and no units expected: $out"

# --out writes the file whole; a folder that does not exist is refused
# with its name and leaves nothing.
rc=0
run report totals FEEDER DHAM012N --by POD --out "$work/none/t.txt" 2> "$work/err" || rc=$?
[ "$rc" -eq 1 ] && grep -q "$work/none" "$work/err" || fail "--out to a missing folder: exit $rc, $(cat "$work/err")"
rc=0
run export-csv FEEDER DHAM012N "$work/none/c.csv" 2> "$work/err" > /dev/null || rc=$?
[ "$rc" -eq 1 ] && grep -q "$work/none" "$work/err" || fail "export-csv to a missing folder: exit $rc, $(cat "$work/err")"
[ ! -e "$work/none" ] || fail "a folder was made for a refused file"

# Wrong requests are refused with exit code 2.
for bad in "report rdr-pod FEEDER DHAM012N --voyage" "report nosuch FEEDER DHAM012N" "export-csv FEEDER DHAM012N"; do
  rc=0
  # shellcheck disable=SC2086
  run $bad > /dev/null 2>&1 || rc=$?
  [ "$rc" -eq 2 ] || fail "$bad: exit code $rc, expected 2"
done

# The terminal gets UTF-8: the stability report's degree sign as C2 B0,
# never the code page's single byte.
run stability FEEDER DHAM012N > "$work/stability.txt"
grep -q $'Heel .*(\xc2\xb0)' "$work/stability.txt" || fail "no UTF-8 degree sign in the stability report"
LC_ALL=C grep -q $'[^\xc2]\xb0' "$work/stability.txt" && fail "a degree sign left as a single byte"

if [ -n "$rewritten" ]; then
  echo "references rewritten in $golden_dir"
  exit 77
fi
echo "reports match their references; CSV rows and weights agree with the condition"
