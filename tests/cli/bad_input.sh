#!/usr/bin/env bash
# zum4-cli handed broken files, as a planner gets them from terminals and
# careless copies: each is refused with a message naming the file, the exit
# code says so (1 refused, 2 a wrong command line), and nothing on the disk
# changes; a save that a crash cut off is dealt with at the next start.
set -euo pipefail
cli="$1"
. "$(dirname "$0")/demo_copy.sh" "$2"
vessel="$inst/FEEDER"

# run EXPECTED_CODE ARGS...: stdout in $out, stderr in $err, exit code checked
run() {
  local want="$1"; shift
  local rc=0
  out=$("$cli" --data "$inst" "$@" 2>"$work/err") || rc=$?
  err=$(cat "$work/err")
  [ "$rc" -eq "$want" ] || fail "zum4-cli $*: exit code $rc, expected $want; output:
$out
$err"
}
says() {  # says TEXT: stderr holds the text
  grep -qF -- "$1" <<<"$err" || fail "no '$1' in:
$err"
}
# 3000 bytes of no text, the same on every run.
junk() {
  local x=26 i octal
  for ((i = 0; i < 3000; i++)); do
    x=$(((x * 1103515245 + 12345) % 2147483648))
    printf -v octal '%03o' $(((x >> 16) % 256))
    printf "\\$octal"
  done
}
snapshot() { (cd "$inst" && find . -type f -exec cksum {} + | sort); }

junk > "$work/junk.bin"
: > "$work/empty.edi"
mkdir "$work/folder"
before=$(snapshot)

run 1 import-edi FEEDER "$work/junk.bin" --condition DHAM012N --save DHAM099N
says "$work/junk.bin: not an EDIFACT interchange"
grep -q '^Message:' <<<"$out" && fail "a header was printed for junk: $out"
run 1 import-edi FEEDER "$work/empty.edi"
says "$work/empty.edi: is empty, not an EDIFACT interchange"
run 1 import-edi FEEDER "$work/folder"
says "$work/folder: is a folder, not a file"
run 1 condition FEEDER "$work/junk.bin"
says "$work/junk.bin: holds binary data"
run 1 condition FEEDER "$work/folder"
says "$work/folder: is a folder, not a file"
run 1 edit FEEDER DHAM012N "$work/folder"
says "$work/folder: is a folder, not a file"
# A folder given where a file is to be written is named as one.
run 1 condition FEEDER DHAM012N --write "$work/folder"
says "$work/folder: is a folder, not a file"
run 1 export-baplie FEEDER DHAM012N "$work/folder"
says "$work/folder: is a folder, not a file"
[ -z "$(ls -A "$work/folder")" ] || fail "a write into a folder left files in it"
[ "$(snapshot)" = "$before" ] || fail "a refused file changed the installation"

# Broken vessel files: a cell table of random bytes keeps the vessel shut; a
# hydrostatic table of random bytes is reported and the stability has none.
cp "$vessel/cel.txt" "$work/cel.txt"
junk > "$vessel/cel.txt"
run 1 vessel FEEDER
says "$vessel/cel.txt: holds binary data"
says "the vessel FEEDER cannot be opened"
cp "$work/cel.txt" "$vessel/cel.txt"
cp "$vessel/HYD.txt" "$work/HYD.txt"
junk > "$vessel/HYD.txt"
run 1 vessel FEEDER
says "$vessel/HYD.txt: holds binary data"
grep -qx 'Hydrostatic table: *not read (see the error above)' <<<"$out" || fail "vessel printed: $out"
run 1 stability FEEDER DHAM012N
grep -qx '   No hydrostatic table: no drafts or stability' <<<"$out" || fail "stability printed: $out"
cp "$work/HYD.txt" "$vessel/HYD.txt"

# A line of a condition that cannot be read is a warning; the command did
# what it was asked.
cp "$vessel/COND/DHAM012N.TXT" "$work/odd.TXT"
printf 'not a record\r\n' >> "$work/odd.TXT"
run 0 condition FEEDER "$work/odd.TXT"
says "warning: $work/odd.TXT: 1 line not read: line "

# A wrong command line.
run 2 condition FEEDER
run 2 export-baplie FEEDER DHAM012N "$work/out.edi" --version 99

# A save set cut off while its files were written is undone at the next
# start, the files before it standing; one cut off while they were renamed
# is finished.
printf 'new quay\r\n' > "$vessel/QUA.TXT.set~"
printf 'Zum4 save set\r\nwriting\r\n%s\r\n%s\r\n' "$vessel/COND/DHAM012N.TXT" "$vessel/QUA.TXT" > "$inst/saveset.mrk"
run 0 vessels
says "warning: A save cut off by a crash was undone"
[ ! -e "$vessel/QUA.TXT.set~" ] && [ ! -e "$inst/saveset.mrk" ] || fail "the cut set was left"
printf 'Zum4 save set\r\nrenaming\r\n%s\r\n' "$vessel/QUA.TXT" > "$inst/saveset.mrk"
printf '' > "$vessel/QUA.TXT.set~"
run 0 vessels
says "warning: A save cut off by a crash was finished: $vessel/QUA.TXT"
[ -e "$vessel/QUA.TXT" ] && [ ! -s "$vessel/QUA.TXT" ] || fail "the cut set was not finished"
echo "bad input: 1 passed, 0 failed"
