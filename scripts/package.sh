#!/usr/bin/env bash
# Builds the Debian package build-release/zentrix_<version>_amd64.deb (installs what is missing first).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-release -j"$(nproc)"
(cd build-release && cpack -G DEB)
