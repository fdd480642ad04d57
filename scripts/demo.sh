#!/usr/bin/env bash
# Installs what is missing, builds the program and the folder tool (not the tests or benchmarks),
# prepares the demo program folder demo/ (once) and starts the program on it.
# CMAKE_BUILD_PARALLEL_LEVEL sets how many compile jobs run at once (default: one per core).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh zorvel zorvel-folder
[ -f demo/DODE.pos ] || build/zorvel-folder demo demo
export ZORVEL_PRINTER_PDF="${ZORVEL_PRINTER_PDF:-$PWD/demo/printer.pdf}"
ZORVEL_HOME="$PWD/demo" exec build/zorvel
