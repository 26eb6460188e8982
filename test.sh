#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs the whole suite
# headless: each drawing test starts its own virtual X display.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/need-packages.sh

need_packages "${build_packages[@]}" libgtest-dev xvfb xauth python3 \
    apitrace apitrace-tracers xdotool x11-utils wmctrl openbox imagemagick \
    dpkg-dev desktop-file-utils
cmake -S . -B build -DBUILD_TESTING=ON >/dev/null
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure --no-label-summary -j2
