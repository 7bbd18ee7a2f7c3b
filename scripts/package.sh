#!/usr/bin/env bash
# Builds the Debian package vorbix_<version>_<arch>.deb with CPack and prints its path.
#   scripts/package.sh [--prebuilt] [BUILD_DIR]     (default: build/ in the source folder)
# The package is made from the build tree (configured once if it is not yet); only the programs
# and the files an installation holds are built first, none of it with --prebuilt (the tests
# use that, so nothing in the tree is rewritten under tests that run beside them). The package
# lands in BUILD_DIR/package/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_first=1
if [ "${1:-}" = --prebuilt ]; then
    build_first=0
    shift
fi
build=${1:-$root/build}
if [ $build_first -eq 1 ]; then
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
    fi
    cmake --build "$build" -j2 --target vorbix vorbix-hkv vorbix-policy vorbix-network vorbix_install_files >&2
fi
[ -f "$build/CPackConfig.cmake" ] || { echo "package.sh: $build is not a configured build tree" >&2; exit 1; }
rm -f "$build"/package/vorbix_*.deb
(cd "$build" && cpack -G DEB --config CPackConfig.cmake) >&2
debs=("$build"/package/vorbix_*.deb)
[ -f "${debs[0]}" ] || { echo "package.sh: no package was written" >&2; exit 1; }
echo "${debs[0]}"
