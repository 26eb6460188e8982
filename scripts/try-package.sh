#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine for real with apt,
# and starts the installed program on a virtual screen: it must show its
# window and end with status 0 on Escape.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/need-packages.sh
need_packages "${build_packages[@]}" dpkg-dev xvfb xauth xdotool

cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target spinning-cone
(cd build && rm -f spinning-cone_*.deb && cpack -G DEB >/dev/null)
deb=$(realpath build/spinning-cone_*.deb)
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --reinstall "$deb" >/dev/null

echo "installed: $(command -v spinning-cone), manual: $(man -w spinning-cone 2>/dev/null || echo none)"
xvfb-run -a -s "-screen 0 1024x600x24" bash -c '
    spinning-cone &
    program=$!
    xdotool search --sync --name "^Nazwa aplikacji$" >/dev/null
    sleep 1
    xdotool key Escape
    wait $program
'
echo "the installed spinning-cone opened its window and ended with status $?"
