# Sourced by a command-line test script with the source folder as $1: a
# copy of the demo installation at $inst, in the folder $work that goes
# when the script ends, and fail to end it with a message.
work=$(mktemp -d)
# Files a test made unreadable are made readable again, so that they go too.
trap 'chmod -R u+rwX "$work"; rm -rf "$work"' EXIT
inst="$work/inst"
cp -r "$1/data/demo" "$inst"
fail() { echo "FAIL: $*"; exit 1; }
