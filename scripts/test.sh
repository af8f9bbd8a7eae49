#!/usr/bin/env bash
# Installs what is missing, builds, runs every test; then once more under AddressSanitizer and
# UndefinedBehaviorSanitizer; fuzzes; and runs the tests of the threaded code under
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export TZ=Asia/Tokyo

scripts/build.sh build
(cd build && ctest --output-on-failure -j"$(nproc)" --timeout 300)

BUILD_TYPE=Debug scripts/build.sh build-asan -DTESSARO_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j"$(nproc)" --timeout 600)

# Each parser of untrusted bytes is fuzzed for a bounded time on every full run.
FUZZ_SECONDS=${FUZZ_SECONDS:-60} scripts/fuzz.sh

# Only the test programs of the threaded code, not the desktop program: a race fails its test.
tsan_tests=(catalogue-tests workflow-tests analysis-tests cli-tests records-tests)
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DTESSARO_TSAN=ON >/dev/null
cmake --build build-tsan -j"$(nproc)" --target "${tsan_tests[@]}"
labels=$(IFS='|'; echo "${tsan_tests[*]}")
(cd build-tsan && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --output-on-failure -j"$(nproc)" --timeout 600 -L "^($labels)\$")
