#!/usr/bin/env bash
# Builds the Qt that the Windows window needs, for anyone without a prebuilt one: Debian's own
# qt6-base source package (the same Qt as the build machine's host tools, which moc, rcc and uic
# come from) cross-built with MinGW-w64 as DLLs, into ~/.cache/tillora/qt6-mingw-w64, where
# cmake/mingw-w64-x86_64.cmake looks for it. About half an hour on 2 cores.
#   scripts/build-qt-mingw.sh [--fetch-only]
# --fetch-only stops once the sources are unpacked. A finished tree is left alone; remove the
# folder to build it again.
set -euo pipefail
cd "$(dirname "$0")/.."

cache=${XDG_CACHE_HOME:-$HOME/.cache}/tillora
prefix=$cache/qt6-mingw-w64
sources=$cache/qt6-base-source
build=$cache/qt6-base-build
if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "Qt for MinGW is already in $prefix"
    exit 0
fi

scripts/install-deps.sh mingw
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
# dpkg-source unpacks the source package; the host tools are of the version to build.
for package in dpkg-dev qt6-base-dev-tools; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$package"
done
version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)

# apt-get source needs the source lists, which a Debian installation often leaves out. They are
# added for the same archives, suites and signing keys as the packages come from (a line for the
# same archive with other keys would make apt refuse every list), and taken back if apt refuses.
if ! grep -rqsE '^deb-src |^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        added=/etc/apt/sources.list.d/tillora-deb-src.sources
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $sudo tee "$added" >/dev/null
    else
        added=/etc/apt/sources.list.d/tillora-deb-src.list
        grep -hE '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $sudo tee "$added" >/dev/null
    fi
    echo "Added the source lists in $added"
    if ! $sudo apt-get update -qq; then
        $sudo rm -f "$added"
        echo "apt refused the source lists; add a deb-src line by hand" >&2
        exit 1
    fi
fi

if [ ! -d "$sources/qtbase" ]; then
    rm -rf "$sources"
    mkdir -p "$sources"
    (cd "$sources" && apt-get source --only-source "qt6-base=$version")
    unpacked=$(find "$sources" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    mv "$unpacked" "$sources/qtbase"
fi
echo "Sources of qt6-base $version in $sources/qtbase"
[ "${1:-}" = "--fetch-only" ] && exit 0

# The toolchain Qt is built with stays beside it, where Qt's own qt.toolchain.cmake looks for it.
mkdir -p "$prefix"
cat >"$prefix/mingw-w64-x86_64-toolchain.cmake" <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} /usr/x86_64-w64-mingw32/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
TOOLCHAIN

# Only what the window uses: Widgets, Print Support and Test, no OpenGL, SQL, network or D-Bus.
# The +dfsg sources lack the tablet (wintab) headers, hence no tablet events.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$sources/qtbase" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64-toolchain.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_system_zlib=OFF -DFEATURE_pkg_config=OFF \
    -DFEATURE_directwrite3=OFF -DCMAKE_CXX_FLAGS="-O1 -g0" -DCMAKE_C_FLAGS="-O1 -g0" \
    "${launcher[@]}"
cmake --build "$build" -j"$(nproc)"
cmake --install "$build"
rm -rf "$build"
echo "Qt for MinGW in $prefix: the mingw preset (scripts/test-windows.sh) now builds the window"
