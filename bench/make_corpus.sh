#!/usr/bin/env bash
# Builds the benchmark corpus, the same bytes on every run (fixed seeds, fixed tag values):
#   DIR/small  3000 small camera-like JPEGs in 47 folders, plus hidden folders and non-photos
#   DIR/large  60 camera-like 4000x3000 JPEGs of 3-6 MB, each with a 160x120 preview in IFD1
# Like a camera's, each file's modification time is its DateTimeOriginal read as local time (of
# the zone this script runs in), and DateTime is DateTimeOriginal.
# Usage: bench/make_corpus.sh [DIR]   (default bench/corpus). A set already built by this
# version of the script is kept; one built by an earlier version is built again.
# Needs ImageMagick's convert and exiftool: scripts/install-deps.sh --bench
set -euo pipefail

dir=${1:-"$(dirname "$0")/corpus"}
version=2
# The tag values are written in UTC; the files' times follow the caller's zone, as a camera's
# card is read in the zone its clock was set to.
caller_tz=(env -u TZ)
[ -z "${TZ+set}" ] || caller_tz=(env "TZ=$TZ")
export TZ=UTC
for tool in convert exiftool; do
    command -v "$tool" >/dev/null || { echo "make_corpus: $tool missing (scripts/install-deps.sh --bench)" >&2; exit 2; }
done
mkdir -p "$dir"

# $1 seed, $2 size, $3 noise strength, $4 shape count, $5 output: a gradient sky, shapes, and
# grain as from a sensor, so that the file compresses like a photo.
make_picture() {
    local seed=$1 size=$2 noise=$3 shapes=$4 out=$5 width height i x y r top bottom
    local -a draw=()
    width=${size%x*}
    height=${size#*x}
    RANDOM=$seed
    for ((i = 0; i < shapes; i++)); do
        x=$((RANDOM % width)) y=$((RANDOM % height)) r=$((width / 40 + RANDOM % (width / 8)))
        draw+=(-fill "rgb($((RANDOM % 256)),$((RANDOM % 256)),$((RANDOM % 256)))"
            -draw "circle $x,$y $((x + r)),$y"
            -draw "rectangle $((x / 2)),$((y / 3)) $((x / 2 + r)),$((y / 3 + r / 2))")
    done
    # Mid-tone skies: grain on near-black or near-white compresses to little.
    printf -v top '#%02x%02x%02x' $((48 + RANDOM % 160)) $((48 + RANDOM % 160)) $((48 + RANDOM % 160))
    printf -v bottom '#%02x%02x%02x' $((48 + RANDOM % 160)) $((48 + RANDOM % 160)) $((48 + RANDOM % 160))
    # Cameras subsample chroma, 4:2:2 or 4:2:0.
    local sampling=2x2
    ((seed % 2 == 0)) && sampling=2x1
    convert -seed "$seed" -size "$size" "gradient:$top-$bottom" "${draw[@]}" \
        \( -size "$size" xc:gray50 -attenuate "$noise" +noise Gaussian \) \
        -compose overlay -composite -sampling-factor "$sampling" -quality 92 "$out"
}

# One exiftool argument block: copy $1 to $2 with DateTimeOriginal from epoch seconds $3 and,
# when given, GPS $4 $5.
tag_args() {
    printf -- '-DateTimeOriginal=%(%Y:%m:%d %H:%M:%S)T\n' "$3"
    printf -- '-ModifyDate=%(%Y:%m:%d %H:%M:%S)T\n' "$3"
    if [ -n "${4:-}" ]; then
        printf -- '-GPSLatitude=%s\n-GPSLatitudeRef=N\n-GPSLongitude=%s\n-GPSLongitudeRef=E\n' "$4" "$5"
    fi
    printf -- '-o\n%s\n%s\n-execute\n' "$2" "$1"
}

# Runs exiftool once over argument blocks in $1, with $2 as the camera model.
run_exiftool() {
    sed -i '$d' "$1" # the last block needs no -execute after it
    exiftool -q -q -@ "$1" -common_args -Make=Tessa -Model="$2" >/dev/null
}

# Gives every JPEG below $1 its DateTimeOriginal as modification time, in the caller's zone.
camera_times() {
    "${caller_tz[@]}" exiftool -q -q -r. -ext jpg '-FileModifyDate<DateTimeOriginal' "$1" >/dev/null
}

small_folders() {
    local i year season name event
    for ((i = 100; i < 120; i++)); do echo "DCIM/${i}CAMERA"; done
    for year in 2019 2020 2021; do
        for season in Spring Summer Autumn Winter; do echo "Trips/$year/$season"; done
    done
    for name in Ai Ken Mai Ren Yui; do
        for event in Birthday School Holiday; do echo "Family/$name/$event"; done
    done
}

# Arguments for the photos of folder number $3 ($2 photos) from base pictures in $1, into $4.
folder_args() {
    local bases=$1 count=$2 index=$3 out=$4 j start name lat="" lon="" ext=JPG
    start=$((1546333200 + index * 7 * 86400)) # 2019-01-01 09:00 UTC, one outing a week
    [[ $out == */Family/Ai/* ]] && ext=jpg
    for ((j = 1; j <= count; j++)); do
        if ((index % 3 == 0)); then
            printf -v lat '35.%04d' $((6000 + index * 37 + j))
            printf -v lon '139.%04d' $((7000 + index * 53 + j))
        fi
        printf -v name 'DSC_%04d.%s' "$j" "$ext"
        tag_args "$bases/base$(((index + j) % 12)).jpg" "$out/$name" $((start + j * 180)) "$lat" "$lon"
    done
}

build_small() {
    local work=$1 bases=$1/.bases args=$1/.args i index=0 folder count
    mkdir -p "$bases"
    for ((i = 0; i < 12; i++)); do make_picture $((100 + i)) 160x120 0.5 2 "$bases/base$i.jpg"; done
    : >"$args"
    while read -r folder; do
        count=$((index < 39 ? 64 : 63)) # 39 x 64 + 8 x 63 = 3000
        mkdir -p "$work/$folder"
        folder_args "$bases" "$count" "$index" "$work/$folder" >>"$args"
        index=$((index + 1))
    done < <(small_folders)
    # Hidden folders: a dot name, and a name listed in its parent's .hidden file.
    mkdir -p "$work/DCIM/.thumbs" "$work/Trips/Private"
    echo Private >"$work/Trips/.hidden"
    folder_args "$bases" 3 1 "$work/DCIM/.thumbs" >>"$args"
    folder_args "$bases" 5 2 "$work/Trips/Private" >>"$args"
    run_exiftool "$args" T-160
    camera_times "$work"
    # Files that are no photos to the scan.
    echo "camera notes" >"$work/DCIM/100CAMERA/README.txt"
    head -c 4096 /dev/zero >"$work/DCIM/101CAMERA/MVI_0001.MOV"
    cp "$bases/base0.jpg" "$work/Trips/2019/Spring/panorama.JPEG"
    echo "family" >"$work/Family/notes.txt"
    rm -r "$bases" "$args"
}

build_large() {
    local work=$1 args=$1/.args i name lat
    : >"$args"
    for ((i = 0; i < 60; i++)); do
        make_picture $((1000 + i)) 4000x3000 "0.$((65 + i % 4 * 10))" 6 "$work/raw$i.jpg"
        # The camera's preview of the pixels as stored, and the pixel dimensions it records.
        convert -define jpeg:size=320x240 "$work/raw$i.jpg" -thumbnail 160x120 -quality 80 \
            "$work/preview$i.jpg"
        printf -- '-ThumbnailImage<=%s\n-ExifImageWidth=4000\n-ExifImageHeight=3000\n' \
            "$work/preview$i.jpg" >>"$args"
        # Some taken upright, some with a position.
        ((i % 10 == 3)) && echo "-Orientation#=6" >>"$args"
        lat=""
        ((i % 2)) && lat=35.6586
        printf -v name 'IMG_%04d.JPG' $((i + 1))
        tag_args "$work/raw$i.jpg" "$work/$name" $((1577869200 + i * 600)) "$lat" 139.7454 >>"$args"
    done
    run_exiftool "$args" T-4000
    rm "$work"/raw*.jpg "$work"/preview*.jpg "$args"
    camera_times "$work"
}

# Each set is built beside its final place and moved there whole, so a half-built set is
# never taken for a finished one.
for set in small large; do
    if [ "$(cat "$dir/$set/.version" 2>/dev/null)" = "$version" ]; then
        echo "$dir/$set: already built"
        continue
    fi
    rm -rf "$dir/$set.partial"
    mkdir -p "$dir/$set.partial"
    "build_$set" "$dir/$set.partial"
    echo "$version" >"$dir/$set.partial/.version"
    rm -rf "$dir/$set"
    mv "$dir/$set.partial" "$dir/$set"
    echo "$dir/$set: $(find "$dir/$set" -iname '*.jpg' | wc -l) JPEGs"
done
