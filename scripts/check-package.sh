#!/usr/bin/env bash
# Checks a package made by scripts/package.sh without touching this system's own packages: it
# installs and purges it in a throw-away dpkg root, and lets apt resolve its dependencies twice,
# on a system with nothing installed and on this one.
# Usage: check-package.sh [DEB]
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(realpath "${1:-$(ls build-package/tessaro_*.deb)}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/log
# Runs a command with its output in $log, shown only when it fails.
quietly() {
    "$@" >"$log" 2>&1 || { cat "$log" >&2; return 1; }
}

# A root with an empty package database and no triggers: nothing runs but the package's own
# scripts. Its dependencies are not there, hence --force-depends.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status"
quietly dpkg --root="$root" --force-depends --install "$deb"
status=$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Status}' tessaro)
[ "$status" = "install ok installed" ] || { echo "dpkg left it as: $status" >&2; exit 1; }
"$root/usr/bin/tessaro-cli" --version
dpkg-query --admindir="$root/var/lib/dpkg" -L tessaro | while read -r path; do
    [ -e "$root$path" ] || { echo "listed but not installed: $path" >&2; exit 1; }
done
quietly dpkg --root="$root" --purge tessaro
left=$(cd "$root" && find . -mindepth 1 -not -path ./var -not -path ./var/lib \
    -not -path ./var/lib/dpkg -not -path './var/lib/dpkg/*')
[ -z "$left" ] || { echo "left behind by the purge: $left" >&2; exit 1; }
echo "installs and purges cleanly in an empty root"

touch "$work/nothing-installed"
quietly apt-get install --simulate -o Dir::State::status="$work/nothing-installed" "$deb"
echo "apt resolves it on an empty Debian 12: $(grep -c '^Inst ' "$log") packages to install"
quietly apt-get install --simulate --no-install-recommends "$deb"
echo "apt installs it here with: $(sed -n 's/^Inst \([^ ]*\) .*/\1/p' "$log" | tr '\n' ' ')"
