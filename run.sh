#!/usr/bin/env bash
# Installs what is missing, builds spinning-cone and starts it. Escape quits.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/need-packages.sh

need_packages "${build_packages[@]}"
cmake -S . -B build -DBUILD_TESTING=OFF >/dev/null
cmake --build build -j"$(nproc)" --target spinning-cone
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: run this from a desktop session (or under xvfb-run)." >&2
fi
exec build/spinning-cone
