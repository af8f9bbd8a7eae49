#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for a bounded time
# (FUZZ_SECONDS, default 30), seeded with the real camera files or, for the record reader, with
# the record files in tests/fuzz/seeds/records. A crash fails the run and leaves its input in
# build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}

seeds_of() {
    case $1 in
    record-reader-fuzz) echo tests/fuzz/seeds/records ;;
    *) echo ../shared/realdata/images ;;
    esac
}

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSARO_FUZZ=ON >/dev/null
cmake --build build-fuzz -j2 --target jpeg-frame-fuzz record-reader-fuzz
mkdir -p build-fuzz/crashes
for target in jpeg-frame-fuzz record-reader-fuzz; do
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus"
    seeds=$(seeds_of "$target")
    [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
    log=build-fuzz/$target.log
    echo "fuzzing $target for ${seconds}s"
    status=0
    build-fuzz/tests/fuzz/$target -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -artifact_prefix=build-fuzz/crashes/ -print_final_stats=1 "$corpus" >"$log" 2>&1 ||
        status=$?
    grep -E "stat::number_of_executed_units|stat::new_units|ERROR|SUMMARY" "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        exit "$status"
    fi
done
