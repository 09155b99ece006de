#!/usr/bin/env bash
# zum4-cli check and check-digit: the check lines of a small vessel's
# condition exactly as the Check window lists them, the segregation-only
# mode, a clean condition, and the check digits of single numbers.
set -euo pipefail
cli="$1" source_dir="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/data/demo" "$work/inst"
rm -f "$work/inst/vex.txt"
cp -r "$source_dir/tests/data/cli-vessel/MINIBOX" "$work/inst/"

fail() { echo "FAIL: $*"; exit 1; }
# run EXPECTED_CODE ARGS...: output in $out, exit code checked
run() {
  local want="$1"; shift
  local rc=0
  out=$("$cli" "$@") || rc=$?
  [ "$rc" -eq "$want" ] || fail "zum4-cli $*: exit code $rc, expected $want; output:
$out"
}

# DHAM002W: class 3 beside class 5.1 on deck, one number twice, one wrong digit.
run 3 --data "$work/inst" check "MINI BOX" DHAM002W.TXT
expected=$'SEGREGATION 2    3   5.1 010082 010182\nDUP        TCNU 7200794  010002 010102\nDIGIT 3    CSQU 3054384  010282'
[ "$out" = "$expected" ] || fail "check printed:
$out"

run 3 --data "$work/inst" check minibox DHAM002W.TXT --segregation-only
[ "$out" = "SEGREGATION 2    3   5.1 010082 010182" ] || fail "segregation-only printed:
$out"

# --explain: the rule under its line. Without hld.txt the check says first
# that it took each 40' bay as a hold.
run 3 --data "$work/inst" check minibox DHAM002W.TXT --segregation-only --explain
expected=$'SEGREGATION 2    3   5.1 010082 010182
    separated from, closed/closed, on deck: fore and aft overlapping, 0 bulkheads, 0.0 m (needs 1S); athwartships 0 spaces (needs 1S)'
[ "$out" = "$expected" ] || fail "--explain printed:
$out"
rm "$work/inst/MINIBOX/hld.txt"
run 3 --data "$work/inst" check minibox DHAM002W.TXT --segregation-only
expected=$'NOTE: no hold data: each 40\' bay taken as one hold\nSEGREGATION 2    3   5.1 010082 010182'
[ "$out" = "$expected" ] || fail "without hold data printed:
$out"
cp "$source_dir/tests/data/cli-vessel/MINIBOX/hld.txt" "$work/inst/MINIBOX/"

# A condition with nothing wrong gives the single line and exit code 0.
sed -e '/^C|010282|/s/CSQU 3054384/TOLU 4734787/' -e '/^C|010102|/s/TCNU 7200794/UACU8161020/' \
    -e 's/|5\.1|/|8|/' \
    "$work/inst/MINIBOX/COND/DHAM002W.TXT" >"$work/clean.TXT"
run 0 --data "$work/inst" check minibox "$work/clean.TXT"
[ "$out" = "  *** NO ERRORS ***" ] || fail "clean condition printed:
$out"

if "$cli" --data "$work/inst" check minibox NOSUCH.TXT 2>"$work/err" >/dev/null; then fail "missing file accepted"; fi
grep -q "no such condition file" "$work/err" || fail "missing file message: $(cat "$work/err")"

# check-digit needs no installation. A number is judged as typed: case,
# blanks and hyphens do not count, a short serial is filled with zeros, and
# the stored form is shown.
run 0 check-digit CSQU3054383 "CSQU 3054383" GYOU4047990 csqu3054383 "CSQU 305438-3"
expected=$'CSQU3054383 (CSQU 3054383): check digit 3 is right
CSQU 3054383 (CSQU 3054383): check digit 3 is right
GYOU4047990 (GYOU 4047990): check digit 0 is right
csqu3054383 (CSQU 3054383): check digit 3 is right
CSQU 305438-3 (CSQU 3054383): check digit 3 is right'
[ "$out" = "$expected" ] || fail "check-digit printed:
$out"
run 3 check-digit "CSQU 3054384" "csqu 305438-4" ABCD12345 " - "
expected=$'CSQU 3054384 (CSQU 3054384): check digit 4 is wrong, should be 3
csqu 305438-4 (CSQU 3054384): check digit 4 is wrong, should be 3
ABCD12345 (ABCD 0012345): check digit 5 is wrong, should be 1
 - : no letter or digit to judge'
[ "$out" = "$expected" ] || fail "check-digit printed:
$out"
echo "check commands: 1 passed, 0 failed"
