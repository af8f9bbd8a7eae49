#!/usr/bin/env bash
# Installs the Debian packages Tessaro builds, tests and runs with; does nothing when all are present.
# With --bench it also installs the tools the benchmark corpus and its comparisons use.
set -euo pipefail

packages=(
    cmake ninja-build pkg-config g++ clang libclang-rt-14-dev
    libwxgtk3.2-dev libgtk-3-dev
    libopencv-core-dev libopencv-imgproc-dev libopencv-imgcodecs-dev
    libfreetype-dev libfontconfig-dev
    libcurl4-openssl-dev libsqlite3-dev nlohmann-json3-dev
    libgeonames-dev libgeonames0 libgeonames-common
    libgtest-dev libcpp-httplib-dev locales
    xvfb xauth fonts-ipafont-gothic
    desktop-file-utils appstream man-db
)
if [ "${1:-}" = "--bench" ]; then
    packages+=(imagemagick libimage-exiftool-perl libvips-tools bc)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}" >&2
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The geocoding tests check number formatting under a locale with a decimal comma; without one
# they are skipped, so a failure here is only reported.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    echo "generating the locale de_DE.UTF-8" >&2
    { grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
        echo 'de_DE.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null; } &&
        "${as_root[@]}" locale-gen >/dev/null ||
        echo "could not generate de_DE.UTF-8; the decimal-comma test will be skipped" >&2
fi
