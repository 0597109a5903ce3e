#!/usr/bin/env bash
# Runs bench_workbook with its openpyxl comparison: installs Debian's python3-openpyxl when
# missing (for this benchmark only; CI does not need it). Usage: run_bench_workbook.sh [build dir] [rows]
set -euo pipefail
build=${1:-build}
cmake -S "$(dirname "$0")/.." -B "$build" -DZX_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target bench_workbook zentrix-cli >/dev/null
if ! /usr/bin/python3 -c "import openpyxl" 2>/dev/null; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq python3-openpyxl
fi
"$build/bench/bench_workbook" "${2:-10000}"
