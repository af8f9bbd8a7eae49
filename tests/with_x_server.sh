#!/usr/bin/env bash
# Runs a program on a virtual X server of its own, so that window tests can run side by side:
# Xvfb picks a free display itself and says which once it is ready. Listing a test program's
# tests needs no display.
# Usage: with_x_server.sh WIDTHxHEIGHT PROGRAM [ARGUMENT...]
set -euo pipefail
geometry=$1
shift
for argument in "$@"; do
    [ "$argument" != --gtest_list_tests ] || exec "$@"
done

folder=$(mktemp -d)
server=
cleanup() {
    [ -z "$server" ] || kill "$server" 2>/dev/null || true
    [ -z "$server" ] || wait "$server" 2>/dev/null || true
    rm -rf "$folder"
}
trap cleanup EXIT
mkfifo "$folder/display"
Xvfb -displayfd 3 -screen 0 "${geometry}x24" -nolisten tcp 3>"$folder/display" \
    >"$folder/log" 2>&1 &
server=$!
display=
read -r -t 60 display <"$folder/display" || true
if [ -z "$display" ]; then
    echo "with_x_server: Xvfb did not start:" >&2
    cat "$folder/log" >&2
    exit 1
fi
status=0
DISPLAY=":$display" "$@" || status=$?
exit "$status"
