#!/usr/bin/env bash
# Installs what the tests need (Debian packages), builds everything in build/ and runs every test.
# The tests of the Qt-free layers (core, storage, the command-line tool) run a second time from
# build-sanitize/, built with AddressSanitizer and UndefinedBehaviorSanitizer, beside the main run.
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/install-deps.sh"
jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVORBIX_GUI=OFF -DVORBIX_BENCH=OFF \
    -DVORBIX_SANITIZE=ON
cmake --build build -j"$jobs"
cmake --build build-sanitize -j"$jobs"

# The sanitizer run is small and mostly waits on nothing, so it shares the cores with the main run.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
(cd build-sanitize && ctest --output-on-failure -j"$jobs" --timeout 300) >build-sanitize/ctest.log 2>&1 &
sanitize_pid=$!
status=0
(cd build && ctest --output-on-failure -j"$jobs" --timeout 300) || status=$?
sanitize_status=0
wait "$sanitize_pid" || sanitize_status=$?
echo "--- sanitizer build (core, storage, tools) ---"
cat build-sanitize/ctest.log
[ "$sanitize_status" -eq 0 ] || status=$sanitize_status
exit "$status"
