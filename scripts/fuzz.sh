#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for a bounded time
# (FUZZ_SECONDS, default 30), seeded with real files. A crash fails the run and leaves its input
# in build-fuzz/crashes/. Names given as arguments fuzz only those targets.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
targets=(jpeg-frame-fuzz geocode-answer-fuzz)
[ $# -eq 0 ] || targets=("$@")

seeds_of() {
    case "$1" in
    geocode-answer-fuzz) echo ../shared/realdata/geocode ;;
    *) echo ../shared/realdata/images ;;
    esac
}

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSARO_FUZZ=ON >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]}"
mkdir -p build-fuzz/crashes
for target in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus"
    seeds=$(seeds_of "$target")
    [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
    options=()
    [ -f "tests/fuzz/$target.dict" ] && options+=(-dict="tests/fuzz/$target.dict")
    log=build-fuzz/$target.log
    echo "fuzzing $target for ${seconds}s"
    status=0
    build-fuzz/tests/fuzz/$target -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -artifact_prefix=build-fuzz/crashes/ -print_final_stats=1 "${options[@]}" "$corpus" \
        >"$log" 2>&1 || status=$?
    grep -E "stat::number_of_executed_units|stat::new_units|ERROR|SUMMARY" "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        exit "$status"
    fi
done
