#!/usr/bin/env bash
# zum4-cli export-baplie, export-movins, import-edi and vessel-from-baplie
# on the demo feeder: every condition goes out as a BAPLIE and comes back
# unit for unit; one BAPLIE is compared with its reviewed reference; units
# that find no cell are listed with why and kept on the quay; unknown ports
# follow the port map; an unreadable file is an error naming it; a vessel
# made from a BAPLIE takes every unit of it.
set -euo pipefail
cli="$1" source_dir="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/data/demo" "$work/inst"
inst="$work/inst"
cond="$inst/FEEDER/COND"
now="2026-11-30 21:00"

fail() { echo "FAIL: $*"; exit 1; }
expect() {  # expect OUTPUT LINE...: each line must stand in the output
  local out="$1"; shift
  for want in "$@"; do grep -qx -- "$want" <<<"$out" || fail "no line '$want' in:
$out"; done
}
# The unit lines of a condition, compared as the message carries them: a
# container number reads back with a blank after its owner code, and the
# height comes from the size-type code.
units() {
  grep '^C|' "$1" | sed -E 's/\|([A-Z]{4}) ([0-9]{6,7})/|\1\2/g' |
    awk -F'|' 'BEGIN { OFS = "|" } { $14 = ""; print }'
}

# The demo units carry no notes and no transhipment or forwarding ports:
# three units of one condition get them (and the handling class notes
# give), so that the round trip shows them.
awk -F'|' -v OFS='|' '$1 == "C" && n < 3 {
  n++; $34 = "HANDLE WITH CARE"; $35 = "CUSTOMS CLEARED"; $36 = "KEEP AWAY FROM HEAT"; $37 = "SPECIAL CARGO " n
  $25 = 1
  if (n == 1) { $6 = "AAR"; $7 = "FXT" }
} { print }' "$cond/DHAM012N.TXT" > "$work/noted.TXT"
mv "$work/noted.TXT" "$cond/DHAM012N.TXT"
[ "$(grep -c '|HANDLE WITH CARE|CUSTOMS CLEARED|' "$cond/DHAM012N.TXT")" = 3 ] || fail "notes not added"

# Round trip of every demo condition.
for file in "$cond"/[ABDP]*.TXT; do
  name=$(basename "$file" .TXT)
  count=$(grep -c '^C|' "$file")
  out=$("$cli" --data "$inst" export-baplie "ZUM FEEDER" "$name.TXT" "$work/$name.edi" --now "$now")
  expect "$out" "units: $count"
  # Saved under the same type and port, so that the same units stay on board.
  saved="${name:0:4}R${name:4}"
  out=$("$cli" --data "$inst" import-edi feeder "$work/$name.edi" --condition "$name.TXT" --dump-all \
    --save "$saved.TXT" 2>&1)
  expect "$out" "Message: BAPLIE 2.0" "Vessel: ZUM FEEDER" "loaded: $count" "to quay: 0" "restows: 0"
  diff <(units "$file") <(units "$cond/$saved.TXT") > "$work/diff" || fail "$name does not read back:
$(head -n 20 "$work/diff")"
done

# The BAPLIE of the Rotterdam departure, byte for byte as reviewed against
# the segment rules. ZUM4_UPDATE_GOLDEN=1 rewrites the reference after a
# change that is meant; the run then ends as skipped, since a comparison
# with what was just written proves nothing.
golden="$source_dir/tests/data/cli-export-baplie/DRTM012N.edi"
golden_rewritten=""
if [ -n "${ZUM4_UPDATE_GOLDEN:-}" ]; then
  mkdir -p "$(dirname "$golden")"
  cp "$work/DRTM012N.edi" "$golden"
  golden_rewritten=yes
  echo "reference rewritten: $golden"
else
  cmp -s "$golden" "$work/DRTM012N.edi" || fail "the BAPLIE of DRTM012N is not $golden:
$(diff <(tr -d '\r' < "$golden") <(tr -d '\r' < "$work/DRTM012N.edi") | head -n 20)"
fi

# The three versions, and the vessel by its IMO number.
for version in 15 22; do
  "$cli" --data "$inst" export-baplie feeder DHAM012N.TXT "$work/v$version.edi" --version "$version" --imo \
    --now "$now" > /dev/null
  grep -q "+BAPLIE:[^']*:SMDG$version'" "$work/v$version.edi" || fail "no BAPLIE version $version header"
  out=$("$cli" --data "$inst" import-edi feeder "$work/v$version.edi" --dump-all 2>&1)
  expect "$out" "loaded: $(grep -c '^C|' "$cond/DHAM012N.TXT")" "to quay: 0"
done
grep -q ':146:11:' "$work/v22.edi" || fail "--imo did not name the vessel by its IMO number"

# A MOVINS of the Rotterdam departure: restows first, then the loads.
out=$("$cli" --data "$inst" export-movins feeder DRTM012N.TXT "$work/movins.edi" --now "$now")
grep -q "^units: [1-9]" <<<"$out" || fail "MOVINS wrote no unit: $out"
grep -q "MOVINS" "$work/movins.edi" || fail "not a MOVINS"
grep -q "HAN+LOA" "$work/movins.edi" || fail "MOVINS without its loads"

# Units without a cell go to the quay, each listed with its reason.
sed -e 's/LOC+147+0020002::5/LOC+147+0990002::5/' -e 's/LOC+147+0020004::5/LOC+147+::5/' \
  "$work/DHAM012N.edi" > "$work/bad-positions.edi"
out=$("$cli" --data "$inst" import-edi feeder "$work/bad-positions.edi" --dump-all --save DHAMBAD1 2>&1)
expect "$out" "to quay: 2" \
  "quay: 990002   BLTU 3100001 position is not a cell of the vessel" \
  "quay:          BLTU 3108933 no position" \
  "Written: $cond/DHAMBAD1.TXT" "Quay file: $inst/FEEDER/QUA.TXT"
grep -q '^990002;BLTU 3100001;' "$inst/FEEDER/QUA.TXT" || grep -q '^990002,BLTU 3100001,' "$inst/FEEDER/QUA.TXT" ||
  fail "the refused unit is not in the quay file"
expect "$("$cli" --data "$inst" condition feeder DHAMBAD1)" "Quay: 2 units" "Skipped lines: 0"

# Unknown ports: taken as they are with their country (kept in the ports
# table, so that they go out again as they came), or as the port map says.
sed 's/PLGDY/PLZZZ/g' "$work/DHAM012N.edi" > "$work/unknown-port.edi"
gdy=$(grep -c '|GDY|' "$cond/DHAM012N.TXT")
"$cli" --data "$inst" import-edi feeder "$work/unknown-port.edi" --dump-all --save DHAMU001 > /dev/null 2>&1
[ "$(grep -c '|ZZZ|' "$cond/DHAMU001.TXT")" = "$gdy" ] || fail "the unknown port was not taken as it is"
grep -q '^PLZZZ;ZZZ;ZZ;PL;' "$inst/por.txt" || fail "the unknown port is not in the ports table"
"$cli" --data "$inst" export-baplie feeder DHAMU001 "$work/u1.edi" --now "$now" > /dev/null
[ "$(grep -o "LOC+11+PLZZZ:" "$work/u1.edi" | wc -l)" = "$gdy" ] || fail "the new port lost its country"
sed 's/PLGDY/PLYYY/g' "$work/DHAM012N.edi" > "$work/mapped-port.edi"
printf '# unknown port;port taken\nPLYYY;GDY\n' > "$work/ports.map"
"$cli" --data "$inst" import-edi feeder "$work/mapped-port.edi" --dump-all --save DHAMU002 \
  --port-map "$work/ports.map" > /dev/null 2>&1
[ "$(grep -c '|GDY|' "$cond/DHAMU002.TXT")" = "$gdy" ] || fail "the port map was not followed"
if grep -q 'YYY' "$inst/por.txt"; then fail "a mapped port went into the ports table"; fi

# The saved condition reads back through the condition command with the
# totals of the condition it came from.
summary() { "$cli" --data "$inst" condition feeder "$1" | sed -n '/^Units\/tonnes/,/^Skipped lines/p'; }
out=$(summary DHAMR012N)
expect "$out" "Skipped lines: 0"
[ "$out" = "$(summary DHAM012N.TXT)" ] || fail "the saved condition reads back otherwise:
$out"

# A file that cannot be read is an error naming it, never an empty import.
if out=$("$cli" --data "$inst" import-edi feeder "$work/missing.edi" 2>&1); then fail "missing file imported"; fi
grep -q "$work/missing.edi" <<<"$out" || fail "the error does not name the file: $out"
if grep -q "^loaded:" <<<"$out"; then fail "a missing file reported counts"; fi
# A vessel made from a BAPLIE takes every unit of it on board.
out=$("$cli" --data "$inst" vessel-from-baplie "$work/DHAM012N.edi" "FROM BAPLIE")
expect "$out" "Vessel: FROM BAPLIE" "positions: $(grep -c '^C|' "$cond/DHAM012N.TXT")"
"$cli" --data "$inst" vessels | grep -qx "FROM BAPLIE;FROMBAPL;shown" || fail "the new vessel is not installed"
out=$("$cli" --data "$inst" import-edi "FROM BAPLIE" "$work/DHAM012N.edi" --dump-all 2>&1)
expect "$out" "loaded: $(grep -c '^C|' "$cond/DHAM012N.TXT")" "to quay: 0"
if "$cli" --data "$inst" vessel-from-baplie "$work/DHAM012N.edi" "FROM BAPLIE" 2>/dev/null; then
  fail "an existing vessel folder was written over"
fi
printf "UNB+UNOA:2+X+Y+261130:2100+1'UNH+1+COPRAR:D:95B:UN'EQD+CN+ABCU1234560+22G1'UNT+3+1'UNZ+1+1'" > "$work/no-positions.edi"
if out=$("$cli" --data "$inst" vessel-from-baplie "$work/no-positions.edi" EMPTY 2>&1); then fail "a vessel without cells"; fi
expect "$out" "error: $work/no-positions.edi: no stowage position in the message"

# The same on the real-world bay plans, when they are at hand. A plan with
# more positions than the largest vessel has cells is refused as such.
corpus="$source_dir/../shared/corpus/edifact"
if [ -d "$corpus" ]; then
  n=0 checked=0
  for file in "$corpus"/*; do
    grep -q "+BAPLIE:" "$file" || continue
    n=$((n + 1))
    if ! out=$("$cli" --data "$inst" vessel-from-baplie "$file" "CORPUS $n" 2>&1); then
      grep -q "more than a vessel can hold" <<<"$out" || fail "$file: $out"
      echo "too large for one vessel: $file"
      continue
    fi
    positions=$(sed -n 's/^positions: //p' <<<"$out")
    out=$("$cli" --data "$inst" import-edi "CORPUS $n" "$file" --dump-all 2>&1)
    expect "$out" "loaded: $positions" "to quay: 0"
    checked=$((checked + 1))
  done
  [ "$n" = 0 ] || [ "$checked" -gt 0 ] || fail "no BAPLIE of $corpus made a vessel"
  echo "real-world bay plans: $checked of $n made a vessel that takes every unit"
elif [ -n "${CI:-}" ]; then
  fail "the corpus is missing under CI: $corpus"
else
  echo "no real-world bay plans at $corpus: skipped"
fi
if [ -n "$golden_rewritten" ]; then
  echo "edi commands: reference rewritten, comparison skipped"
  exit 77
fi
echo "edi commands: all checks passed"
