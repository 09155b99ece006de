#!/usr/bin/env bash
# Installs what is missing, builds, and starts Zum4 on the demo installation.
# The demo is copied to the per-user installation the first time only; an
# existing installation is never overwritten.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh

data_home="${XDG_DATA_HOME:-}"
[[ "$data_home" == /* ]] || data_home="$HOME/.local/share"
installation="$data_home/zum4"
if [ ! -e "$installation" ]; then
  mkdir -p "$data_home"
  cp -r data/demo "$installation"
  echo "Demo installation copied to $installation"
fi
exec build/bin/zum4 --data "$installation" "$@"
