#!/usr/bin/env bash
# Builds everything and runs every test (offscreen, no display needed).
# CMAKE_BUILD_PARALLEL_LEVEL sets how many compile jobs and test programs run at once (default:
# one per core); CTEST_PARALLEL_LEVEL, when set, overrides it for the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"${CTEST_PARALLEL_LEVEL:-${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}}"
