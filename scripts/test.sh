#!/usr/bin/env bash
# Installs what is missing, builds, runs every test; then once more under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export TZ=Asia/Tokyo

scripts/build.sh build
(cd build && ctest --output-on-failure -j2 --timeout 300)

BUILD_TYPE=Debug scripts/build.sh build-asan -DTESSARO_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j2 --timeout 600)

# Each parser of untrusted bytes is fuzzed for a bounded time on every full run.
FUZZ_SECONDS=${FUZZ_SECONDS:-60} scripts/fuzz.sh
