#!/usr/bin/env bash
# Builds everything into build-sanitize/ with the address and undefined-behaviour sanitizers and
# runs every test there (offscreen); the first fault either finds stops its test program.
# Optimised lightly and with line tables only, so that it stays a fraction of CI's time.
# CMAKE_BUILD_PARALLEL_LEVEL and CTEST_PARALLEL_LEVEL as for scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-sanitize -G Ninja -DZORVEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" >/dev/null
cmake --build build-sanitize -j"${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
# Leaks are looked for too: what Qt and fontconfig keep until exit is still reachable from their
# globals, which the leak check does not count, so a report is memory the program lost.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cd build-sanitize
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"${CTEST_PARALLEL_LEVEL:-${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}}"
