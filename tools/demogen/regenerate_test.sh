#!/usr/bin/env bash
# The demo installation's vessels are generated files: generating them again
# from the committed base data must give exactly the committed files, and no
# file more or less.
set -euo pipefail
demogen="$1" demo="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$demogen" "$demo" "$work/out" > "$work/log" || { cat "$work/log"; exit 1; }

fail=0
# Every generated file equals its committed copy.
while IFS= read -r f; do
  if ! cmp -s "$work/out/$f" "$demo/$f"; then
    echo "FAIL: $f differs from the committed file (or is not committed)"
    fail=1
  fi
done < <(cd "$work/out" && find . -type f | sort)
# Every committed file of a generated vessel is generated.
for dir in BARGE FEEDER; do
  while IFS= read -r f; do
    [ -f "$work/out/$f" ] || { echo "FAIL: $f is committed but no longer generated"; fail=1; }
  done < <(cd "$demo" && find "./$dir" -type f | sort)
done
[ "$fail" = 0 ] || { echo "regenerate with: demogen data/demo data/demo"; exit 1; }
echo "demo files: $(cd "$work/out" && find . -type f | wc -l) generated, all equal to the committed ones"
