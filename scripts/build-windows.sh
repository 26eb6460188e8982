#!/usr/bin/env bash
# Makes build-windows/spinning-cone.exe, a 64-bit Windows build that needs
# no DLL beside it, with Debian's mingw-w64 and a static freeglut
# cross-built from Debian's own freeglut source package. freeglut is built
# once per machine, under ~/.cache/spinning-cone, and reused.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/need-packages.sh
need_packages cmake make g++-mingw-w64-x86-64 dpkg-dev

toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
cache=${XDG_CACHE_HOME:-$HOME/.cache}/spinning-cone
freeglut=$cache/freeglut-win64

if [ ! -f "$freeglut/lib/libfreeglut_static.a" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    # A private source list, with deb-src for the suites this machine uses;
    # the machine's own apt configuration is left alone.
    mkdir -p "$work/apt/parts" "$work/apt/lists/partial" "$work/apt/cache"
    for sources in /etc/apt/sources.list.d/*.sources; do
        [ -e "$sources" ] || continue
        sed 's/^Types:.*/Types: deb-src/' "$sources" >"$work/apt/parts/$(basename "$sources")"
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$work/apt/sources.list"
    else
        : >"$work/apt/sources.list"
    fi
    apt_private=(-o Dir::Etc::SourceList="$work/apt/sources.list"
                 -o Dir::Etc::SourceParts="$work/apt/parts"
                 -o Dir::State::Lists="$work/apt/lists"
                 -o Dir::Cache="$work/apt/cache")
    apt-get "${apt_private[@]}" update -q >/dev/null
    (cd "$work" && apt-get "${apt_private[@]}" source --download-only -q freeglut >/dev/null &&
        dpkg-source --no-check -x freeglut_*.dsc source >/dev/null)

    cmake -S "$work/source" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$freeglut" \
        -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_SHARED_LIBS=OFF \
        -DFREEGLUT_BUILD_DEMOS=OFF >/dev/null
    cmake --build "$work/build" -j"$(nproc)" >/dev/null
    cmake --install "$work/build" >/dev/null
fi

# pkg-config sees freeglut's Windows build alone, not this machine's.
PKG_CONFIG_LIBDIR="$freeglut/lib/pkgconfig" \
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DBUILD_TESTING=OFF \
    -DGLUT_INCLUDE_DIR="$freeglut/include" \
    -DGLUT_glut_LIBRARY_RELEASE="$freeglut/lib/libfreeglut_static.a" >/dev/null
cmake --build build-windows -j"$(nproc)" --target spinning-cone
ls -l build-windows/spinning-cone.exe
