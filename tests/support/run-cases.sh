#!/usr/bin/env bash
# Runs several end-to-end cases one after the other in the same desktop (started once by
# run-in-desktop.sh), each as its own process, and goes on after a failure:
#   run-cases.sh SCRIPT CASE ARGS... [--next SCRIPT CASE ARGS...]...
# Exit status: 1 when a case failed, 77 when every case was skipped, else 0.
set -u
passed=0 failed=0 skipped=0 failures=()
run_one() {
    local name="$(basename "$1") $2" status
    echo "=== $name"
    "$@"
    status=$?
    case $status in
        0) passed=$((passed + 1)) ;;
        77) skipped=$((skipped + 1)) ;;
        *) failed=$((failed + 1)); failures+=("$name (exit status $status)") ;;
    esac
}
command=()
for arg in "$@" --next; do
    if [ "$arg" = --next ]; then
        [ ${#command[@]} -gt 0 ] && run_one "${command[@]}"
        command=()
    else
        command+=("$arg")
    fi
done
for f in "${failures[@]}"; do echo "FAILED: $f"; done
echo "$passed passed, $failed failed, $skipped skipped"
[ $failed -gt 0 ] && exit 1
[ $passed -eq 0 ] && [ $skipped -gt 0 ] && exit 77
exit 0
