#!/usr/bin/env bash
# Makes the Debian package from a build tree, unpacks it into a temporary folder and checks what a
# user gets: the program answers --version with the project's version, the menu entry is valid
# and names the program and an icon the package installs, and the video module comes with Qt
# Multimedia while the program itself does not load it at start.
# Usage: check_deb.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
dpkg-deb -f "$deb" Package Version Depends | sed 's/^/control: /'
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || { echo "package version is not $version"; exit 1; }
dpkg-deb -x "$deb" "$work/root"
got=$("$work/root/usr/bin/tavrobox" --version)
[[ $got == "tavrobox $version" ]] || { echo "--version said: $got"; exit 1; }
desktop="$work/root/usr/share/applications/tavrobox.desktop"
grep -qx 'Exec=tavrobox' "$desktop" || { echo "the menu entry does not start tavrobox"; exit 1; }
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -f "$work/root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ]] || { echo "icon $icon is not installed"; exit 1; }
module=$(find "$work/root/usr/lib" -name 'libtb_video.so' | head -n 1)
[[ -n $module ]] || { echo "the video module is not installed"; exit 1; }
# The module is found relative to the program: a build folder named in it would load whatever
# library sits there on the user's machine.
if readelf -p .rodata "$work/root/usr/bin/tavrobox" | grep -qF "$build/"; then
  echo "the program names the build folder $build"; exit 1
fi
if readelf -d "$work/root/usr/bin/tavrobox" | grep -q 'libQt6Multimedia'; then
  echo "tavrobox needs Qt Multimedia at start: only the video module should"; exit 1
fi
dpkg-deb -f "$deb" Depends | grep -q 'libqt6multimedia' || { echo "the package does not depend on Qt Multimedia"; exit 1; }
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
echo "package: $(basename "$deb") unpacks, runs (--version: $got) and has its menu entry and icon"
