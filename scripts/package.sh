#!/usr/bin/env bash
# Builds the two programs in Release into build-package/ and makes the Debian package there with
# CPack; prints the package's path. Install it with: sudo apt install ./build-package/tessaro_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-package -j"$(nproc)" --target tessaro tessaro-cli compressed-docs
rm -f build-package/tessaro_*.deb
(cd build-package && cpack -G DEB >/dev/null)
realpath build-package/tessaro_*.deb
