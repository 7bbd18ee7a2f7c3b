#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (in build-fuzz/; those that check editor code link Qt's
# GUI module and run on the offscreen platform) and runs each of them for SECONDS (default 600),
# as many at a time as there are cores. Each target starts from its seed corpus in
# fuzz/corpus/NAME/ (real-looking files) and grows a working corpus in build-fuzz/corpus/NAME/;
# a crash, hang or leak is written to build-fuzz/findings/NAME/. Prints each target's executions
# and findings; exits non-zero when any target found something.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
"$(dirname "$0")/install-deps.sh"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORBIX_FUZZ=ON \
    -DVORBIX_GUI=OFF -DVORBIX_FUZZ_GUI=ON -DVORBIX_TESTS=OFF -DVORBIX_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" _fuzz.cpp)"); done
fi

run_target() {
    local name=$1
    local corpus=build-fuzz/corpus/$name findings=build-fuzz/findings/$name
    rm -rf "$findings"
    mkdir -p "$corpus" "$findings"
    local seeds=()
    [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
    # -timeout: an input that takes longer than 10 s counts as a hang.
    build-fuzz/"${name}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" \
        >"build-fuzz/$name.log" 2>&1 || true
}

running=0
for name in "${targets[@]}"; do
    [ -x "build-fuzz/${name}_fuzz" ] || { echo "no fuzz target $name" >&2; exit 2; }
    run_target "$name" &
    running=$((running + 1))
    if [ "$running" -ge "$(nproc)" ]; then
        wait -n
        running=$((running - 1))
    fi
done
wait

status=0
printf '%-14s %14s %10s  %s\n' target executions corpus findings
for name in "${targets[@]}"; do
    runs=$(awk '/stat::number_of_executed_units/ {print $2}' "build-fuzz/$name.log")
    units=$(find "build-fuzz/corpus/$name" -type f | wc -l)
    found=$(find "build-fuzz/findings/$name" -type f | wc -l)
    printf '%-14s %14s %10s  %s\n' "$name" "${runs:-?}" "$units" "$found"
    if [ "$found" -gt 0 ] || [ -z "$runs" ]; then
        status=1
        echo "  see build-fuzz/$name.log and build-fuzz/findings/$name/" >&2
    fi
done
exit "$status"
