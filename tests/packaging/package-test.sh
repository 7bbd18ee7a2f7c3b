#!/usr/bin/env bash
# Builds the Debian package with scripts/package.sh and checks it, inside run-in-desktop.sh:
#   package-test.sh SOURCE_DIR BUILD_DIR
# Metadata and file list with dpkg-deb; lintian, desktop-file-validate and appstreamcli when
# installed; then the unpacked programs run from their installed layout: vorbix-hkv reads its
# language files from share/vorbix/, and vorbix, started by the desktop entry's Exec line, finds
# its languages and images there.
set -u
source_dir=$1 build=$2
command -v dpkg-deb >/dev/null && command -v cpack >/dev/null ||
    { echo "SKIPPED: dpkg-deb or cpack missing"; exit 77; }
source "$source_dir/tests/support/e2e-helpers.sh"
work=$VORBIX_TEST_TMP/package
mkdir -p "$work"
pids=()
cleanup() {
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
}
trap cleanup EXIT

deb=$("$source_dir/scripts/package.sh" --prebuilt "$build" 2>"$work/package.log") ||
    fail "package.sh: $(tail -n 20 "$work/package.log")"
version=$("$build/vorbix" --version | sed 's/^vorbix //')
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "vorbix_${version}_${arch}.deb" ] || fail "package named $(basename "$deb")"

# Control fields. The dependencies come from the linked libraries, so the Qt and X libraries
# must be among them.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vorbix ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Description)" ] && [ -n "$(field Maintainer)" ] || fail "no Description or Maintainer"
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6network6 libx11-6 libxcb1 \
    libpulse0 libasound2 qt6-qpa-plugins libqt6svg6; do
    [[ ", $depends," == *", $lib "* || ", $depends," == *", $lib,"* ]] || fail "Depends lacks $lib: $depends"
done

# The file list: everything below /usr, owned by root, and the files an installation needs.
dpkg-deb -c "$deb" >"$work/list" || fail "dpkg-deb -c"
awk '{print $6}' "$work/list" | sed 's|^\./|/|' | sort >"$work/paths"
grep -v '^/usr/' "$work/paths" && fail "files outside /usr"
awk '$2 != "root/root"' "$work/list" | grep . && fail "files not owned by root"
expected=(
    /usr/bin/vorbix /usr/bin/vorbix-hkv /usr/libexec/vorbix/vorbix-policy
    /usr/libexec/vorbix/vorbix-network.so
    /usr/share/vorbix/System/Localization/German.lng /usr/share/vorbix/System/Localization/English.lng
    /usr/share/vorbix/Images/Tray1.ico /usr/share/vorbix/Images/Tray2.ico /usr/share/vorbix/Images/Logo.svg
    /usr/share/applications/vorbix.desktop /usr/share/metainfo/de.pellmarr.vorbix.metainfo.xml
    /usr/share/icons/hicolor/scalable/apps/vorbix.svg
    /usr/share/man/man1/vorbix.1.gz /usr/share/man/man1/vorbix-hkv.1.gz
    /usr/share/doc/vorbix/copyright /usr/share/doc/vorbix/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/vorbix.png")
done
for f in "${expected[@]}"; do grep -qx "$f" "$work/paths" || fail "$f missing from the package"; done
grep -E '_test|_bench|\.a$|icon-render|text_target' "$work/paths" && fail "build helpers in the package"
# Every image and language file of the data folder is shipped.
(cd "$source_dir/data" && find . -type f | sed 's|^\.|/usr/share/vorbix|') | sort >"$work/data"
comm -23 "$work/data" "$work/paths" | grep . && fail "data files missing from the package"

root=$work/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
# Each PNG is as large as its folder says (the width and height of the IHDR chunk).
for size in 16 22 24 32 48 64 128 256; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/vorbix.png
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$dims" = "${size}x${size}" ] || fail "$png is $dims"
done
# Man pages: compressed without a time stamp, and free of formatting warnings.
for page in vorbix vorbix-hkv; do
    gz=$root/usr/share/man/man1/$page.1.gz
    gzip -t "$gz" || fail "$page.1.gz is not gzip"
    [ "$(od -An -tu1 -j4 -N4 "$gz" | tr -d ' ')" = 0000 ] || fail "$page.1.gz carries a time stamp"
    if command -v man >/dev/null; then
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$gz" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man $page: $warnings"
        LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$gz" 2>/dev/null | grep -q 'EXIT STATUS' ||
            fail "man $page has no EXIT STATUS"
    fi
done
LC_ALL=C.UTF-8 man -l "$root/usr/share/man/man1/vorbix.1.gz" 2>/dev/null | grep -q policy.ini ||
    fail "vorbix(1) does not name the policy file"

desktop=$root/usr/share/applications/vorbix.desktop
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/usr/share/metainfo/de.pellmarr.vorbix.metainfo.xml" ||
        fail "appstreamcli validate"
    grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/de.pellmarr.vorbix.metainfo.xml" ||
        fail "metainfo names another version"
fi
if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb" >"$work/lintian" 2>&1 || fail "lintian: $(cat "$work/lintian")"
fi

# The installed layout: no --program-folder, the tool finds German.lng in share/vorbix/.
printf '[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Strg+F5\r\nAction=Kopieren\r\n' >"$work/t.hkv"
out=$("$root/usr/bin/vorbix-hkv" list "$work/t.hkv" 2>&1) || fail "installed vorbix-hkv: $out"
[ "$out" = $'Strg+F5\tKopieren\t' ] || fail "installed vorbix-hkv listed: $out"
[ "$(DISPLAY= "$root/usr/bin/vorbix" --version)" = "vorbix $version" ] || fail "installed --version"
# The network module, loaded when the update check downloads: its libraries are there and it
# offers what the program looks up.
ldd "$root/usr/libexec/vorbix/vorbix-network.so" | grep -q 'not found' && fail "the network module's libraries"
for symbol in vorbixDownloadStart vorbixDownloadCancel; do
    nm -D --defined-only "$root/usr/libexec/vorbix/vorbix-network.so" | grep -qw "$symbol" ||
        fail "the network module lacks $symbol"
done

# The program started as the menu starts it: the Exec line, with the package's bin on PATH. A
# program row of the German table fires only when the language file's captions were read.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon named $icon"
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool missing, the program was not started"; exit 77; }
export XDG_CONFIG_HOME=$work/config
data=$XDG_CONFIG_HOME/Vorbix
mkdir -p "$data"
write_table '[General]' 'Count=1' '[Hot Key1]' 'Hot Key=Strg+F5' \
    'Action=Benutzerdefiniertes Programm' 'Program=/usr/bin/touch<~F~>' \
    "Parameter=$work/fired" 'HowToOpen=Normal'
PATH=$root/usr/bin:$PATH $exec_line >"$work/vorbix.log" 2>&1 &
pids+=($!)
wait_for 10 grep -q '^Active=' "$data/Config.ini" || fail "the program did not start: $(cat "$work/vorbix.log")"
grep -q "^ProgramDir=$root/usr/share/vorbix/"$'\r'"$" "$data/Config.ini" ||
    fail "the installed program's data folder: $(grep ProgramDir "$data/Config.ini")"
wait_for 10 has_main_window || fail "no main window"
xdotool key ctrl+F5
wait_for 10 test -e "$work/fired" || fail "the program row did not fire: $(cat "$work/vorbix.log")"
echo "PASS: package_deb ($(basename "$deb"))"
