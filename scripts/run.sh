#!/usr/bin/env bash
# Builds the program and starts it on the built-in simulated chronograph.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default
cmake --build build -j"$(nproc)" --target zentrix zentrix-cli
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a build/app/zentrix --simulate "$@"
fi
exec build/app/zentrix --simulate "$@"
