#!/usr/bin/env bash
# Clones this repository's HEAD (commits only: uncommitted changes stay behind) into an empty
# temporary folder with nothing beside it and runs scripts/test.sh there, as a user who has just
# cloned it would. The clone goes afterwards; KEEP_CLONE=1 keeps it for a look.
set -euo pipefail
top=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
head=$(git -C "$top" rev-parse HEAD)
work=$(mktemp -d)
[ "${KEEP_CLONE:-0}" = 1 ] || trap 'rm -rf "$work"' EXIT
git clone --quiet --no-hardlinks "$top" "$work/tessaro"
git -C "$work/tessaro" checkout --quiet --detach "$head"
echo "testing a fresh clone of $head in $work/tessaro"
start=$SECONDS
(cd "$work/tessaro" && scripts/test.sh)
echo "the fresh clone of $head passes every test ($(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s)"
