#!/usr/bin/env bash
# Builds Vorbix in build/ and starts it. Arguments go to the program ("hide" starts in the tray).
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/install-deps.sh"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORBIX_TESTS=OFF -DVORBIX_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/vorbix ]; then exec build/vorbix "$@"; fi
exec build/vorbix-hkv --help
