#!/usr/bin/env bash
# Builds the Debian package vorbix_<version>_<arch>.deb with CPack and prints its path.
#   scripts/package.sh [BUILD_DIR]     (default: build/ in the source folder)
# The package is made from the build tree (configured once if it is not yet); only the programs
# and the files an installation holds are built, and the package lands in BUILD_DIR/package/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
fi
cmake --build "$build" -j2 --target vorbix vorbix-hkv vorbix-policy vorbix_install_files >&2
rm -f "$build"/package/vorbix_*.deb
(cd "$build" && cpack -G DEB --config CPackConfig.cmake) >&2
debs=("$build"/package/vorbix_*.deb)
[ -f "${debs[0]}" ] || { echo "package.sh: no package was written" >&2; exit 1; }
echo "${debs[0]}"
