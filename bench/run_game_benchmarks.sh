#!/bin/bash
# Builds (when needed) and runs the game's benchmarks, printing their figures:
#   - the busiest frame of a busy day on the recording device and on the GL driver (Xvfb, software
#     OpenGL), with the resident memory of the busy level;
#   - start-up to the first menu frame (SDL dummy drivers, and OpenGL under Xvfb);
#   - a settings and profile save.
#
#     bench/run_game_benchmarks.sh [BUILD_DIR]     (default: build-rel, RelWithDebInfo)
#
# DBD_BENCH_FRAMES sets the measured frames of the busy day (default 3000 on the recording
# device, 1500 on the GL driver). The GL part is skipped when Xvfb is not installed.
set -euo pipefail

SRC_DIR=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${1:-$SRC_DIR/build-rel}
JOBS=${JOBS:-3}
DISPLAY_NUM=${DBD_BENCH_DISPLAY:-78}

if [ ! -f "$BUILD_DIR/build.ninja" ] && [ ! -f "$BUILD_DIR/Makefile" ]; then
  cmake -S "$SRC_DIR" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDBD_BUILD_BENCH=ON
fi
cmake --build "$BUILD_DIR" -j"$JOBS" --target content bench_busyframe_bench bench_startup_bench \
  bench_settingssave_bench

BENCH=$BUILD_DIR/bench
export SDL_AUDIODRIVER=dummy

echo "== busiest frame and memory: recording device"
"$BENCH/bench_busyframe_bench" --device recording --frames "${DBD_BENCH_FRAMES:-3000}"

echo "== start-up: SDL dummy drivers"
SDL_VIDEODRIVER=dummy DBD_BENCH_LAUNCH_NS=$(date +%s%N) "$BENCH/bench_startup_bench"

echo "== settings and profile save"
"$BENCH/bench_settingssave_bench"

if ! command -v Xvfb > /dev/null; then
  echo "== GL driver: skipped, Xvfb is not installed"
  exit 0
fi
# -noreset: the server would reset as each client leaves, refusing the next one meanwhile.
Xvfb ":$DISPLAY_NUM" -screen 0 1024x768x24 -noreset > /dev/null 2>&1 &
XVFB_PID=$!
trap 'kill "$XVFB_PID" 2> /dev/null || true' EXIT
export DISPLAY=":$DISPLAY_NUM" LIBGL_ALWAYS_SOFTWARE=1
for _ in $(seq 100); do
  xdpyinfo > /dev/null 2>&1 && break
  sleep 0.1
done
if ! xdpyinfo > /dev/null 2>&1; then
  echo "== GL driver: skipped, Xvfb did not start on $DISPLAY"
  exit 1
fi

echo "== busiest frame and memory: GL driver (Xvfb, software OpenGL)"
"$BENCH/bench_busyframe_bench" --device gl --frames "${DBD_BENCH_FRAMES:-1500}"

echo "== start-up: OpenGL under Xvfb"
DBD_BENCH_LAUNCH_NS=$(date +%s%N) "$BENCH/bench_startup_bench"
