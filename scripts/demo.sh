#!/usr/bin/env bash
# Installs what is missing, builds, prepares the demo program folder demo/ (once) and starts the program on it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
[ -f demo/DODE.pos ] || build/zorvel-folder demo demo
export ZORVEL_PRINTER_PDF="${ZORVEL_PRINTER_PDF:-$PWD/demo/printer.pdf}"
ZORVEL_HOME="$PWD/demo" exec build/zorvel
