#!/usr/bin/env bash
# Renders the application icon's PNG sizes from resources/tessaro.svg after the SVG has changed
# (needs rsvg-convert, package librsvg2-bin). The PNGs are kept in the repository, so building
# and installing need no renderer.
set -euo pipefail
cd "$(dirname "$0")/../resources"
for edge in 48 256; do
    rsvg-convert --width "$edge" --height "$edge" tessaro.svg --output "tessaro-$edge.png"
done
