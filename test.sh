#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs the whole suite
# headless: each drawing test starts its own virtual X display. The first
# run on a machine installs about 1.5 GiB (Wine and mingw-w64 among it).
set -euo pipefail
cd "$(dirname "$0")"
. scripts/need-packages.sh

need_packages "${build_packages[@]}" libgtest-dev xvfb xauth python3 \
    apitrace apitrace-tracers xdotool x11-utils wmctrl openbox imagemagick \
    dpkg-dev desktop-file-utils g++-mingw-w64-x86-64 wine wine64 libbenchmark-dev
# The benchmark is built too, so that it keeps compiling; scripts/performance.sh runs it.
cmake -S . -B build -DBUILD_TESTING=ON -DSPINNING_CONE_BENCHMARK=ON >/dev/null
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure --no-label-summary -j2
