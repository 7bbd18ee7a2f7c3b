#!/bin/bash
# Checks that the includes inside shell/ point down its folders: the top (main() and the start-up)
# may include any folder; mainwindow/ the folders below it (settings/, tray/, update/, common/);
# settings/, tray/ and update/ only common/; common/ none of them. A header at the top of shell/
# is included by nothing below it, and no file lies directly in a folder the check does not know.
# Prints each include that points the wrong way and fails if there is one.
# Usage: check-layout.sh [SOURCE_DIR]   (the repository's root; defaults to two folders up)
set -u

root="${1:-$(cd "$(dirname "$0")/../.." && pwd)}"
cd "$root/shell" || { echo "no shell/ in $root" >&2; exit 2; }

# The folders each folder may include besides itself.
allowed() {
    case "$1" in
        mainwindow) echo "settings tray update common" ;;
        settings | tray | update) echo "common" ;;
        common) echo "" ;;
        *) return 1 ;;
    esac
}

bad=0
for dir in */; do
    dir="${dir%/}"
    if ! allowed "$dir" >/dev/null; then
        echo "shell/$dir/: a folder the layout does not know (add it to tests/shell/check-layout.sh)"
        bad=$((bad + 1))
        continue
    fi
    ok=" $dir $(allowed "$dir") "
    while IFS= read -r hit; do
        [ -n "$hit" ] || continue
        file="${hit%%:*}"
        target="${hit#*#include \"shell/}"
        target="${target%%\"*}"
        case "$target" in
            */*) folder="${target%%/*}" ;;
            *) folder="(top)" ;;
        esac
        case "$ok" in
            *" $folder "*) ;;
            *)
                echo "shell/$file includes shell/$target: $dir/ may include only $(echo $ok)"
                bad=$((bad + 1))
                ;;
        esac
    done < <(grep -rn --include='*.cpp' --include='*.h' '#include "shell/' "$dir")
done

if [ "$bad" -gt 0 ]; then
    echo "$bad includes or folders against the shell's layout"
    exit 1
fi
echo "shell/ layout: every include points down"
