#!/usr/bin/env bash
# Makes the README's pictures from the real program on a virtual screen:
# docs/spinning-cone.png (one frame) and docs/spinning-cone.gif (a few
# seconds of animation). Run it again whenever the picture changes.
# Usage: scripts/make-pictures.sh [path/to/spinning-cone]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/need-packages.sh
need_packages xvfb xauth openbox imagemagick

program=$(realpath "${1:-build/spinning-cone}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# openbox gives the window the exact full-screen place a desktop would.
xvfb-run -a -s "-screen 0 960x540x24" bash -c '
    openbox >/dev/null 2>&1 &
    sleep 1
    "$1" &
    program=$!
    sleep 1
    for i in $(seq -w 1 48); do
        import -window root "$2/frame-$i.png"
    done
    kill $program
' _ "$program" "$work"

mkdir -p docs
convert "$work/frame-12.png" -strip docs/spinning-cone.png
convert -delay 8 -loop 0 "$work"/frame-*.png -resize 480x270 -strip \
    -layers Optimize docs/spinning-cone.gif
ls -l docs/spinning-cone.png docs/spinning-cone.gif
