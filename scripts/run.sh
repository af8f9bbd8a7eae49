#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
# Help opens ./ReadMe.txt, which the build puts beside the program.
cd build/bin
exec ./tessaro "$@"
