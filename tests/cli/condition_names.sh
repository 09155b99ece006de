#!/usr/bin/env bash
# zum4-cli on the demo feeder: every command that takes a condition finds it
# by the name the condition list shows (any case), by its file name or by a
# path; a name that matches nothing is an error saying where it was looked
# for; --save writes NAME.TXT into the conditions folder, entered in the
# schedule so that the main window lists it, and refuses a name the list
# could not show.
set -euo pipefail
cli=$(realpath "$1") source_dir="$2"  # the script changes folders
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
# run ARGS...: what zum4-cli printed on both streams, then its exit code
run() {
  local rc=0 out
  out=$("$cli" --data "$inst" "$@" 2>&1) || rc=$?
  printf '%s\nexit %s\n' "$out" "$rc"
}
"$cli" --data "$inst" export-baplie feeder "$cond/DHAM012N.TXT" "$work/DHAM012N.edi" --now "$now" > /dev/null
# on COMMAND CONDITION: what COMMAND gives for that condition, files it wrote included
on() {
  case "$1" in
    condition | check) run "$1" feeder "$2" ;;
    stability) run stability feeder "$2" --json ;;
    import-edi) run import-edi feeder "$work/DHAM012N.edi" --condition "$2" --no-dump ;;
    export-baplie | export-movins)
      rm -f "$work/out.edi"
      run "$1" feeder "$2" "$work/out.edi" --now "$now"
      [ ! -f "$work/out.edi" ] || cat "$work/out.edi" ;;
  esac
}

# Another condition for each command to tell apart from DHAM012N: the demo
# conditions share their check lines, so the check gets DHAM012N with one
# check digit broken.
awk -F'|' -v OFS='|' '$1 == "C" && !done { $3 = substr($3, 1, length($3) - 1) (substr($3, length($3)) + 1) % 10; done = 1 }
  { print }' "$cond/DHAM012N.TXT" > "$work/broken.TXT"
other() { if [ "$1" = check ]; then echo "$work/broken.TXT"; else echo "$cond/DRTM012N.TXT"; fi; }

commands=(condition check stability import-edi export-baplie export-movins)
names=(DHAM012N dham012n DHAM012N.TXT dham012n.TXT "$cond/DHAM012N.TXT")
for command in "${commands[@]}"; do
  # The path was always understood; it is the reference, and it must give
  # something other than another condition does, or the comparison proves
  # nothing.
  want=$(on "$command" "$cond/DHAM012N.TXT")
  grep -q '^exit [03]$' <<<"$want" || fail "$command on the path failed:
$want"
  [ "$want" != "$(on "$command" "$(other "$command")")" ] || fail "$command gives the same for two conditions"
  for name in "${names[@]}"; do
    [ "$(on "$command" "$name")" = "$want" ] || fail "$command $name is not $cond/DHAM012N.TXT:
$(diff <(echo "$want") <(on "$command" "$name") | head -n 10)"
  done
  got=$(cd "$inst/FEEDER" && on "$command" COND/DHAM012N.TXT)
  [ "$got" = "$want" ] || fail "$command with a relative path is not the condition:
$(diff <(echo "$want") <(echo "$got") | head -n 10)"

  # Nothing matches: exit code 1, and the message says what was tried.
  got=$(on "$command" DHAM099N)
  expect "$got" "exit 1"
  grep -qF "no such condition file: DHAM099N (tried DHAM099N and DHAM099N.TXT in $cond " <<<"$got" ||
    fail "$command: the error does not say where DHAM099N was looked for: $got"
  got=$(on "$command" "$work/none/DHAM012N.TXT")
  expect "$got" "exit 1"
  grep -qF "no such condition file: $work/none/DHAM012N.TXT (tried $work/none/DHAM012N.TXT)" <<<"$got" ||
    fail "$command: the error does not name the missing path: $got"
done

# A bare name is the vessel's condition before a file of the current folder,
# which is still found when the vessel has none of that name.
mkdir "$work/here"
cp "$cond/DRTM012N.TXT" "$work/here/DHAM012N.TXT"
cp "$cond/DRTM012N.TXT" "$work/here/LOCAL.TXT"
expect "$(cd "$work/here" && on condition DHAM012N)" "Condition: HAMBURG / 012N Departure"
expect "$(cd "$work/here" && on condition LOCAL.TXT)" "Condition: ROTTERDAM / 012N Departure" "exit 0"

# --save NAME: NAME.TXT in the conditions folder, dated in the schedule,
# read back by its name with no line passed over and the units it was saved
# with.
schedule() { tr -d '\r' < "$cond/sch.dat"; }
before=$(schedule)
out=$(run import-edi feeder "$work/DHAM012N.edi" --dump-all --save DHOLD001)
expect "$out" "exit 0" "Written: $cond/DHOLD001.TXT"
[ -f "$cond/DHOLD001.TXT" ] && [ ! -e "$cond/DHOLD001" ] || fail "--save did not write DHOLD001.TXT: $(ls "$cond")"
schedule | grep -qE '^[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}.[0-9]{2} DHOLD001 {7}W$' ||
  fail "DHOLD001 is not listed in sch.dat:
$(schedule)"
while read -r line; do
  schedule | grep -qxF "$line" || fail "the schedule lost '$line'"
done <<<"$before"
out=$(on condition dhold001)
expect "$out" "exit 0" "Condition: HOL / D001 Departure" "Skipped lines: 0"
by_category() { sed -n '/^By category:/,/^Quay:/p' <<<"$1"; }
[ "$(by_category "$out")" = "$(by_category "$(on condition DHAM012N)")" ] ||
  fail "DHOLD001 does not hold the units of the message:
$out"
# Saved again, by its file name in small letters: the same file, one line.
expect "$(run import-edi feeder "$work/DHAM012N.edi" --dump-all --save dhold001.txt)" "Written: $cond/DHOLD001.TXT"
[ "$(schedule | grep -c ' DHOLD001 ')" = 1 ] || fail "DHOLD001 is listed twice:
$(schedule)"

# A voyage of six characters makes a name longer than the nine characters
# the list shows; the condition is found by those nine.
expect "$(run import-edi feeder "$work/DHAM012N.edi" --condition DHAM012N --dump-all --save DHAM012NXY)" \
  "Written: $cond/DHAM012NXY.TXT"
expect "$(on condition DHAM012NX)" "exit 0" "Condition: HAMBURG / 012NXY Departure" "Skipped lines: 0"

# Names the list could not show, or that would read back as another
# condition, are refused before anything is written.
listing=$(ls "$cond"; schedule)
for name in XHAM0001 DHA DHAM01 DHAM0123456 sub/DHAM0001 "D HA0001"; do
  out=$(run import-edi feeder "$work/DHAM012N.edi" --dump-all --save "$name")
  expect "$out" "exit 1"
  grep -qE "^error: (cannot save as $name: |$name is a path: ).*such as DHAM012N" <<<"$out" ||
    fail "--save '$name': no reason given: $out"
  [ "$(ls "$cond"; schedule)" = "$listing" ] || fail "--save '$name' changed the conditions folder"
done
echo "condition names: all checks passed"
