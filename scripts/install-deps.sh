#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Tillora; with "sanitizers", also
# clang and its sanitizer and fuzzer runtimes, for the sanitized build and the fuzz targets; with
# "mingw", the MinGW-w64 cross compiler, GoogleTest's sources, Wine, NSIS, a virtual display and
# ImageMagick's import, for the Windows build, its tests, its installer and a screenshot; with
# "accessibility", a virtual display and the AT-SPI bus with its Python client, for reading the
# window as a screen reader does.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
    locales
    qt6-base-dev libgl-dev qt6-translations-l10n fonts-liberation
    desktop-file-utils appstream dpkg-dev
    liborcus-dev libxlsxwriter-dev zlib1g-dev
)
case "${1:-}" in
sanitizers) packages+=(clang-14 libclang-rt-14-dev) ;;
mingw) packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix googletest wine wine64
    qt6-base-dev-tools nsis xvfb xauth imagemagick) ;;
accessibility) packages+=(xvfb xauth dbus at-spi2-core python3-pyatspi) ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
