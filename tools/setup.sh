#!/usr/bin/env bash
# Installs the Debian packages Zum4 needs (only those missing), then configures
# and builds. BUILD_DIR (default build) and CMAKE_ARGS choose another build.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libshp-dev libzip-dev
  qt6-image-formats-plugins  # TIFF pictures of the letter plan
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core xvfb xauth
  poppler-utils jq  # read printed PDF files and JSON output back in the tests
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir="${BUILD_DIR:-build}"
# shellcheck disable=SC2086
cmake -S . -B "$build_dir" -G Ninja ${CMAKE_ARGS:-}
cmake --build "$build_dir" -j "$(nproc)"
