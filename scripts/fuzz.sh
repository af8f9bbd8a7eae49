#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for a bounded time
# (FUZZ_SECONDS, default 30), seeded with real files (the camera files and example answers in
# tests/data and a Nominatim answer in tests/fuzz/seeds/answers, the record reader with the record files in tests/fuzz/seeds/records, the map
# pictures with those in tests/fuzz/seeds/maps, the catalogue reader with the system's small
# GeoNames catalogues, the readers of the built-in geocoder's data files with small cuts of them). A crash fails the run and leaves its input in build-fuzz/crashes/.
# Names given as arguments fuzz only those targets.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
# Real camera files, whole or cut after their header segments, one folder each.
cameras=tests/data/cameras
targets=(jpeg-frame-fuzz exif-reader-fuzz geocode-answer-fuzz message-catalogue-fuzz
    record-reader-fuzz map-picture-fuzz state-polygons-fuzz)
[ $# -eq 0 ] || targets=("$@")

# Copies the seeds of target $1 into corpus folder $2 (files already there are kept).
seed() {
    local file
    case $1 in
    exif-reader-fuzz)
        # The reader looks only at the segments before the scan: the first 64 KiB of each photo
        # (all of them for every camera file but one, whose Exif APP1 starts at 80 KiB). The
        # target reads each input twice, once behind an APP2 so that the second look reads it.
        for file in "$cameras"/*/*; do
            [ -e "$file" ] || continue
            [ -e "$2/$(basename "$file")" ] || head -c 65536 "$file" >"$2/$(basename "$file")"
        done
        ;;
    geocode-answer-fuzz) cp -n tests/data/geocode/* tests/fuzz/seeds/answers/* "$2"/ 2>/dev/null || true ;;
    message-catalogue-fuzz)
        # The small GeoNames catalogues of libgeonames-common, named by their language.
        for file in $(find /usr/share/locale -name geonames.mo -size -64k 2>/dev/null | head -n 8); do
            cp -n "$file" "$2/$(basename "$(dirname "$(dirname "$file")")").mo"
        done
        ;;
    record-reader-fuzz) cp -n tests/fuzz/seeds/records/* "$2"/ 2>/dev/null || true ;;
    map-picture-fuzz) cp -n tests/fuzz/seeds/maps/* "$2"/ 2>/dev/null || true ;;
    state-polygons-fuzz) cp -n tests/fuzz/seeds/states/* "$2"/ 2>/dev/null || true ;;
    *) cp -n "$cameras"/*/* "$2"/ 2>/dev/null || true ;;
    esac
}

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSARO_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"
mkdir -p build-fuzz/crashes
# All targets at once: the run takes FUZZ_SECONDS however many parsers there are.
pids=()
for target in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus"
    seed "$target" "$corpus"
    options=()
    [ -f "tests/fuzz/$target.dict" ] && options+=(-dict="tests/fuzz/$target.dict")
    echo "fuzzing $target for ${seconds}s"
    build-fuzz/tests/fuzz/$target -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -artifact_prefix=build-fuzz/crashes/ -print_final_stats=1 "${options[@]}" "$corpus" \
        >"build-fuzz/$target.log" 2>&1 &
    pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
    status=0
    wait "${pids[$i]}" || status=$?
    log=build-fuzz/${targets[$i]}.log
    echo "${targets[$i]}:"
    grep -E "stat::number_of_executed_units|stat::new_units|ERROR|SUMMARY" "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        failed=$status
    fi
done
exit "$failed"
