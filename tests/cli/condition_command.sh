#!/usr/bin/env bash
# zum4-cli condition on a small vessel: the totals, the quay, the skipped
# lines with their reasons, and --write giving a file that reads back and
# writes again byte for byte.
set -euo pipefail
cli="$1" source_dir="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/data/demo" "$work/inst"
rm -f "$work/inst/vex.txt"
cp -r "$source_dir/tests/data/cli-vessel/MINIBOX" "$work/inst/"
mkdir -p "$work/a" "$work/b"

fail() { echo "FAIL: $*"; exit 1; }
expect() {  # expect OUTPUT LINE...: each line must stand in the output
  local out="$1"; shift
  for want in "$@"; do grep -qx -- "$want" <<<"$out" || fail "no line '$want' in:
$out"; done
}

out=$("$cli" --data "$work/inst" condition "MINI BOX" DHAM001W.TXT --write "$work/a/DHAM001W.TXT")
expect "$out" "Condition: HAMBURG / 001W Departure" \
  "HAM           2/23.7        1/12.0        3/35.7" \
  "  20' full         2 units         33.5 t" \
  "  20' empty        1 units          2.2 t" \
  "Quay: 1 units" "Skipped lines: 2" \
  "  line 5: position 990282 is not a cell of the vessel" \
  "  line 6: refused by the stack rules (code 9)"

out=$("$cli" --data "$work/inst" condition minibox "$work/a/DHAM001W.TXT" --write "$work/b/DHAM001W.TXT")
expect "$out" "HAM           2/23.7        1/12.0        3/35.7" "Skipped lines: 0"
cmp "$work/a/DHAM001W.TXT" "$work/b/DHAM001W.TXT" || fail "second write differs from the first"

if "$cli" --data "$work/inst" condition minibox NOSUCH.TXT 2>"$work/err"; then fail "missing file accepted"; fi
grep -q "no such condition file" "$work/err" || fail "missing file message: $(cat "$work/err")"
echo "condition command: 1 passed, 0 failed"
