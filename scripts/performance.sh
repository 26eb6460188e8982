#!/usr/bin/env bash
# Measures what spinning-cone costs on this machine, on virtual screens:
#  - drawFrame against a floor that only clears and swaps (Google Benchmark,
#    median of three), at 640x480, 1280x1024 and 1920x1080;
#  - the whole built program at 1280x1024, as Mesa's HUD counts its frames;
#  - its resident memory over two minutes, sampled every ten seconds.
# Prints Markdown tables. Figures from a software renderer compare only
# side by side within one run.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/need-packages.sh
need_packages "${build_packages[@]}" libbenchmark-dev xvfb xauth python3

cmake -S . -B build -DSPINNING_CONE_BENCHMARK=ON >/dev/null
cmake --build build -j"$(nproc)" --target frame_benchmark spinning-cone >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Mesa's HUD changes llvmpipe's pace (here frames came about 1.5 times as
# fast with it on), so every figure is taken with it on, alike.
hud=(GALLIUM_HUD=fps GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_VISIBLE=false)
mkdir "$work/bench-hud"
for size in 640x480 1280x1024 1920x1080; do
    xvfb-run -a -s "-screen 0 ${size}x24" env "${hud[@]}" GALLIUM_HUD_DUMP_DIR="$work/bench-hud" \
        build/frame_benchmark \
        --benchmark_out="$work/bench-$size.json" --benchmark_out_format=json \
        >/dev/null 2>"$work/bench-$size.log" || { cat "$work/bench-$size.log"; exit 1; }
done

seconds=120
xvfb-run -a -s "-screen 0 1280x1024x24" env "${hud[@]}" GALLIUM_HUD_DUMP_DIR="$work" bash -c '
    build/spinning-cone &
    program=$!
    for ((t = 0; t <= $1; t += 10)); do
        echo "$t $(awk "/VmRSS/ {print \$2}" /proc/$program/status)" >>"$2/rss"
        sleep 10
    done
    kill $program
' _ "$seconds" "$work"

python3 - "$work" <<'PY'
import glob, json, os, statistics, sys
work = sys.argv[1]
print("| screen | floor fps | drawFrame fps | drawFrame / floor (time per frame) |")
print("|---|---|---|---|")
frame_fps = {}
for path in sorted(glob.glob(os.path.join(work, "bench-*.json")),
                   key=lambda p: int(p.split("-")[-1].split("x")[0])):
    size = path.rsplit("-", 1)[1][:-5]
    runs = {b["run_name"].split("/")[0]: b for b in json.load(open(path))["benchmarks"]
            if b.get("aggregate_name") == "median"}
    floor, frame = runs["clearAndSwapFloor"]["fps"], runs["drawFrame"]["fps"]
    frame_fps[size] = frame
    print(f"| {size} | {floor:.0f} | {frame:.1f} | {floor / frame:.1f} |")
hud = [float(line) for line in open(os.path.join(work, "fps"))]
whole = statistics.mean(hud[1:11])  # the first ten whole seconds
print()
print("| 1280x1024, 10 s | whole program fps (Mesa HUD) | drawFrame alone fps | program / drawFrame |")
print("|---|---|---|---|")
print(f"| | {whole:.1f} | {frame_fps['1280x1024']:.1f} | {whole / frame_fps['1280x1024']:.2f} |")
rss = [line.split() for line in open(os.path.join(work, "rss"))]
print()
print("Resident memory, KiB, every 10 s: " + ", ".join(value for _, value in rss))
values = [int(value) for _, value in rss[1:]]
print(f"After the first 10 s: min {min(values)}, max {max(values)}, "
      f"last - first {values[-1] - values[0]:+d}")
PY
echo "Mesa llvmpipe, $(nproc) cores, $(date +%F)"
