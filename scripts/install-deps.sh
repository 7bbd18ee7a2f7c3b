#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Vorbix need, when missing.
set -euo pipefail
packages=(
    cmake g++ clang googletest libgtest-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins libgl-dev qt6-translations-l10n
    libx11-dev libx11-xcb-dev libxcb1-dev libxcb-xtest0-dev libxcb-xkb-dev libxtst-dev libxkbcommon-dev libxi-dev pkg-config
    libpulse-dev libasound2-dev libasound2-plugins
    xvfb xauth openbox trayer xdotool xterm strace x11-utils x11-xserver-utils x11-xkb-utils
    dbus dbus-x11 pulseaudio pulseaudio-utils imagemagick fonts-dejavu-core libglib2.0-bin
    xfwm4 xfconf metacity i3-wm
    desktop-file-utils appstream lintian
    kwin-wayland xdg-desktop-portal xdg-desktop-portal-kde qtwayland5 qt6-wayland libwayland-dev python3
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
