#!/usr/bin/env bash
# Builds everything and starts Orvelin in a window. Without a display, set
# POLVEX_BACKEND=headless (see docs/orvelin.md) or run it under xvfb-run.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh
cmake --preset release
cmake --build --preset release
cd build/release/orvelin
exec ./orvelin "$@"
