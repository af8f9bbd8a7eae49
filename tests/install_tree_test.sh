#!/usr/bin/env bash
# Installs the build into a throw-away DESTDIR under the prefix a package uses (/usr) and checks
# the tree as a desktop sees it: the menu entry and the metainfo pass their validators and name
# what was installed, each icon lies where the hicolor theme looks for its size, help, the manual
# pages, the licence, the changelog and the built-in geocoder's data are in place, no program
# holds a path of the source tree, and the installed tessaro-cli starts from there.
# Usage: install_tree_test.sh CMAKE BUILD_DIR VERSION SANITIZED
set -euo pipefail
cmake=$1
build=$2
version=$3
sanitized=$4

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null
usr=$root/usr
share=$usr/share

source=$(cd "$(dirname "$0")/.." && pwd)
for program in tessaro tessaro-cli; do
    [ -x "$usr/bin/$program" ] || fail "bin/$program is not installed as a program"
    # A user's machine has no such folder: a path of the build machine in a program is a fault.
    # The sanitizers' own reports name the files they were built from; no one installs those.
    [ "$sanitized" = ON ] || ! grep -qaF "$source" "$usr/bin/$program" ||
        fail "bin/$program holds the path $source"
done
# The help button looks for ReadMe.txt in ../share/tessaro/ from the program's folder.
for file in share/tessaro/ReadMe.txt share/doc/tessaro/copyright; do
    [ -s "$usr/$file" ] || fail "$file is missing or empty"
done
# The built-in geocoder looks for its states and Japan's municipalities in the same folder.
for data in admin1.bin japan.bin; do
    cmp -s "$usr/share/tessaro/$data" "$(dirname "$0")/../geocode/data/$data" ||
        fail "share/tessaro/$data is missing or not the repository's"
done
# Debian's layout: gzipped manual pages, and a copyright file and changelog beside each other.
for page in tessaro tessaro-cli; do
    manual=$share/man/man1/$page.1.gz
    gzip -t "$manual" 2>/dev/null || fail "the manual page of $page is missing or not gzipped"
    warnings=$(man --warnings -E UTF-8 -l "$manual" 2>&1 >/dev/null) ||
        fail "man cannot format the manual page of $page"
    [ -z "$warnings" ] || fail "the manual page of $page formats with warnings: $warnings"
done
grep -q '^License: GPL-3.0-or-later$' "$share/doc/tessaro/copyright" 2>/dev/null ||
    fail "the copyright file does not name the licence"
latest=$(gzip -dc "$share/doc/tessaro/changelog.gz" 2>/dev/null | head -n 1)
[ "$latest" = "tessaro ($version) unstable; urgency=medium" ] ||
    fail "the changelog's latest entry is '$latest', not version $version"

# Width and height from the PNG's header chunk, as "WxH": two big-endian 32-bit numbers.
png_size() {
    local bytes
    read -ra bytes < <(od -An -tu1 -j16 -N8 "$1")
    [ ${#bytes[@]} -eq 8 ] || return 1
    local width=$(((bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3]))
    local height=$(((bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7]))
    echo "${width}x$height"
}

desktop=$share/applications/org.tessaro.Tessaro.desktop
entry() { sed -n "s/^$1=//p" "$desktop"; }
if [ ! -f "$desktop" ]; then
    fail "no menu entry in share/applications"
else
    # Warnings count too: the validator reports them with a zero exit status.
    report=$(desktop-file-validate "$desktop" 2>&1 || echo "exit status $?")
    [ -z "$report" ] || fail "desktop-file-validate: $report"
    program=$(entry Exec)
    [ -x "$usr/bin/${program%% *}" ] || fail "Exec=$program names no installed program"
    [ "$(entry Categories)" = "Graphics;Photography;" ] || fail "Categories=$(entry Categories)"
    [ -n "$(entry 'Name\[ja\]')" ] || fail "the menu entry has no Japanese name"
    icon=$(entry Icon)
    grep -q '<svg' "$share/icons/hicolor/scalable/apps/$icon.svg" 2>/dev/null ||
        fail "Icon=$icon has no scalable SVG in the hicolor theme"
    for edge in 48 256; do
        size=$(png_size "$share/icons/hicolor/${edge}x$edge/apps/$icon.png" 2>/dev/null || true)
        [ "$size" = "${edge}x$edge" ] ||
            fail "the ${edge}x$edge icon of $icon is '${size:-missing}'"
    done
fi

metainfo=$share/metainfo/org.tessaro.Tessaro.metainfo.xml
element() { sed -n "s:.*<$1[^>]*>\(.*\)</$1>.*:\1:p" "$metainfo"; }
if [ ! -f "$metainfo" ]; then
    fail "no metainfo in share/metainfo"
else
    # The whole tree, so that the entry the metainfo launches must be installed too; infos fail.
    report=$(appstreamcli validate-tree --strict --no-net "$usr" 2>&1) ||
        fail "appstreamcli validate-tree: $report"
    [ "$(element project_license)" = GPL-3.0-or-later ] ||
        fail "the metainfo gives the licence as '$(element project_license)'"
    id=$(element id)
    [ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "the metainfo is not named after $id"
    for binary in $(element binary); do
        [ -x "$usr/bin/$binary" ] || fail "the metainfo provides $binary, which is not installed"
    done
fi

answer=$(cd "$root" && "$usr/bin/tessaro-cli" --version) || fail "the installed tessaro-cli fails"
[ "$answer" = "tessaro-cli $version" ] || fail "tessaro-cli --version says '$answer'"

[ "$failures" -eq 0 ] || exit 1
echo "the installed tree checks out"
