#!/usr/bin/env bash
# Installs the Debian packages Tessaro builds, tests and runs with; does nothing when all are present.
# With --bench it also installs the tools the benchmark corpus and its comparisons use.
set -euo pipefail

packages=(
    cmake ninja-build pkg-config g++ clang libclang-rt-14-dev
    libwxgtk3.2-dev libgtk-3-dev
    libopencv-core-dev libopencv-imgproc-dev libopencv-imgcodecs-dev
    libcurl4-openssl-dev
    libgtest-dev libcpp-httplib-dev
    xvfb xauth fonts-ipafont-gothic
)
if [ "${1:-}" = "--bench" ]; then
    packages+=(imagemagick libimage-exiftool-perl libvips-tools)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "installing: ${missing[*]}" >&2
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
