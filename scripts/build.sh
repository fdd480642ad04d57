#!/usr/bin/env bash
# Configures and builds into build/: the targets named as arguments, or everything when none is.
# CMAKE_BUILD_PARALLEL_LEVEL sets how many compile jobs run at once (default: one per core).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
if [ $# -gt 0 ]; then targets=(--target "$@"); fi
cmake --build build -j"${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" "${targets[@]}"
