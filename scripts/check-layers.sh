#!/usr/bin/env bash
# Fails, naming each offending line, when a lower folder includes a header of app/ or display/:
# those must build without the window toolkit and the image decoder.
set -euo pipefail
cd "$(dirname "$0")/.."
if grep -rnE '#include "(app|display)/' platform catalogue exif geocode titles records; then
    echo "lower folders must not include app/ or display/ headers" >&2
    exit 1
fi
