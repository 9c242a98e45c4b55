#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running the project need.
# Skips apt-get when everything is already there. Needs root (or sudo).
set -euo pipefail

packages=(
  build-essential cmake pkg-config binutils
  googletest libgtest-dev libbenchmark-dev
  libsdl2-dev libfreetype-dev libfontconfig-dev libpng-dev
  fonts-dejavu-core fonts-ipafont-gothic
  clang libclang-rt-14-dev
  xvfb xdotool x11-utils imagemagick
  libosmesa6-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
