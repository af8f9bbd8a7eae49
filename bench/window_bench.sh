#!/usr/bin/env bash
# Times the search into the main window against `tessaro-bench scan` on the same 20,000 photos,
# and scrolling the filled source list, on a virtual X server.
# Usage: bench/window_bench.sh [FOLDER] (default bench/corpus/window20k, made when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-bench/corpus/window20k}
cmake --build build --target tessaro-bench tessaro-bench-window -j"$(nproc)" >/dev/null
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" build/bin/tessaro-bench-window "$folder"
echo "tessaro-bench scan:"
build/bin/tessaro-bench scan "$folder"
echo "image view:"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" build/bin/tessaro-bench-window view
