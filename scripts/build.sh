#!/usr/bin/env bash
# Configures and builds into build/ (or into the folder given as $1, with extra CMake options after
# it), the tests and benchmarks included unless BUILD_TESTING=OFF is set.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} \
    -DBUILD_TESTING=${BUILD_TESTING:-ON} "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
