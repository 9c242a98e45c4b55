#!/usr/bin/env bash
# Builds everything and runs every test, in the optimised build and under AddressSanitizer
# and UndefinedBehaviorSanitizer. Installs the build's Debian packages first if needed.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh
for preset in release asan; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
